// The layout of a saved log and of copied rows is proven through the history dialog; here stay the
// cells that would break a spreadsheet reader or a script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/alarm/HistoryCsvCodec.h"

namespace veyra::alarm {
namespace {

TEST(HistoryCsv, FieldsAreQuotedOnlyWhereAReaderWouldMisreadThem) {
  const struct {
    const char* expect;
    std::string in, out;
  } rows[] = {
      {"plain Cyrillic text stays bare", "Тревога", "Тревога"},
      {"a leading-zero number stays bare and unchanged", "03", "03"},
      {"a slash, colon or inner blank stays bare", "03/09 14:45", "03/09 14:45"},
      {"an empty cell stays bare", "", ""},
      {"a comma is quoted", "a,b", "\"a,b\""},
      {"a quote is doubled and quoted", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a line feed is quoted", "two\nlines", "\"two\nlines\""},
      {"a carriage return is quoted", "two\rlines", "\"two\rlines\""},
      {"leading blanks are quoted", " x", "\" x\""},
      {"trailing blanks are quoted", "x ", "\"x \""},
  };
  for (const auto& row : rows) EXPECT_EQ(CsvField(row.in), row.out) << row.expect;
}

TEST(HistoryCsv, EveryCellGoesThroughTheQuotingAndAnEmptyTableStillNamesItsColumns) {
  const std::string titles = "No.,Название,Событие,Зона,Время\r\n";  // no byte-order mark before them
  EXPECT_EQ(HistoryCsv({}), titles);
  EXPECT_EQ(HistoryCsv({{"1", "a,b", "say \"hi\"", "", "x "}}),
            titles + "1,\"a,b\",\"say \"\"hi\"\"\",,\"x \"\r\n");
}

TEST(HistoryCsv, TabTextIsOneLineOfFiveFieldsPerRow) {
  const struct {
    const char* expect;
    HistoryRow in;
    std::string out;
  } rows[] = {
      {"a tab inside a cell becomes a blank", {"1", "a\tb", "", "", ""}, "1\ta b\t\t\t"},
      {"a line break inside a cell becomes blanks", {"1", "a\nb", "c\r\nd", "", ""}, "1\ta b\tc  d\t\t"},
  };
  for (const auto& row : rows) EXPECT_EQ(HistoryTabLine(row.in), row.out) << row.expect;
}

}  // namespace
}  // namespace veyra::alarm

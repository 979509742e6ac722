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
    const char* fault;
    std::string in, out;
  } rows[] = {
      {"plain Cyrillic text quoted", "Тревога", "Тревога"},
      {"a leading-zero number quoted or changed", "03", "03"},
      {"a slash, colon or inner blank quoted", "03/09 14:45", "03/09 14:45"},
      {"an empty cell quoted", "", ""},
      {"a comma would split the field", "a,b", "\"a,b\""},
      {"a quote must be doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a line feed would end the record", "two\nlines", "\"two\nlines\""},
      {"a carriage return would end the record", "two\rlines", "\"two\rlines\""},
      {"leading blanks would be trimmed", " x", "\" x\""},
      {"trailing blanks would be trimmed", "x ", "\"x \""},
  };
  for (const auto& row : rows) EXPECT_EQ(CsvField(row.in), row.out) << row.fault;
}

TEST(HistoryCsv, EveryCellGoesThroughTheQuotingAndAnEmptyTableStillNamesItsColumns) {
  const std::string titles = "No.,Название,Событие,Зона,Время\r\n";  // no byte-order mark before them
  EXPECT_EQ(HistoryCsv({}), titles);
  EXPECT_EQ(HistoryCsv({{"1", "a,b", "say \"hi\"", "", "x "}}),
            titles + "1,\"a,b\",\"say \"\"hi\"\"\",,\"x \"\r\n");
}

TEST(HistoryCsv, TabTextIsOneLineOfFiveFieldsPerRow) {
  const struct {
    const char* fault;
    HistoryRow in;
    std::string out;
  } rows[] = {
      {"a tab inside a cell would add a column", {"1", "a\tb", "", "", ""}, "1\ta b\t\t\t"},
      {"a line break inside a cell would add a row", {"1", "a\nb", "c\r\nd", "", ""}, "1\ta b\tc  d\t\t"},
  };
  for (const auto& row : rows) EXPECT_EQ(HistoryTabLine(row.in), row.out) << row.fault;
}

}  // namespace
}  // namespace veyra::alarm

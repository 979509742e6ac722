#include "alarm/HistoryCsvCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veyra::alarm {
namespace {

// A reader in the manner of spreadsheet programs (RFC 4180), to check that every written field
// reads back as it was.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      record.push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record.push_back(field);
      field.clear();
      records.push_back(record);
      record.clear();
      ++i;
    } else {
      field += c;
    }
  }
  return records;
}

TEST(HistoryCsv, FieldsAreQuotedOnlyWhereAReaderWouldMisreadThem) {
  const struct {
    const char* fault;
    std::string in, out;
  } rows[] = {
      {"plain text must stay bare", "Тревога", "Тревога"},
      {"a leading-zero number must stay as it is", "03", "03"},
      {"the time cell has a slash, colon and blank inside", "03/09 14:45", "03/09 14:45"},
      {"an empty cell stays empty", "", ""},
      {"a comma would split the field", "a,b", "\"a,b\""},
      {"a quote must be doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a lone quote", "\"", "\"\"\"\""},
      {"a line feed would end the record", "two\nlines", "\"two\nlines\""},
      {"a carriage return would end the record", "two\rlines", "\"two\rlines\""},
      {"leading blanks would be trimmed", " x", "\" x\""},
      {"trailing blanks would be trimmed", "x ", "\"x \""},
      {"Cyrillic with a comma keeps its UTF-8 bytes", "Датчик, дым", "\"Датчик, дым\""},
  };
  for (const auto& row : rows) EXPECT_EQ(CsvField(row.in), row.out) << row.fault;
}

TEST(HistoryCsv, TitlesFirstThenOneCrlfLinePerRow) {
  const std::vector<HistoryRow> rows = {
      {"1", "Датчик движения", "Тревога", "03", "03/09 14:45"},
      {"2", "14", "Neighbour Alarm", "255", "12/31 23:59"},
  };
  EXPECT_EQ(HistoryCsv(rows),
            "No.,Название,Событие,Зона,Время\r\n"
            "1,Датчик движения,Тревога,03,03/09 14:45\r\n"
            "2,14,Neighbour Alarm,255,12/31 23:59\r\n");
  EXPECT_EQ(HistoryCsv({}), "No.,Название,Событие,Зона,Время\r\n") << "an empty table still names its columns";
  EXPECT_NE(HistoryCsv({}).substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark before the titles";
}

TEST(HistoryCsv, EveryCellReadsBackUnchanged) {
  const std::vector<HistoryRow> rows = {
      {"1", "a,b", "say \"hi\"", "\"", "two\r\nlines"},
      {"2", " lead", "trail ", "", "Снятие с охраны с телефона"},
      {"3", ",", "\"\"", "\n", "x"},
  };
  const auto read = ReadCsv(HistoryCsv(rows));
  ASSERT_EQ(read.size(), rows.size() + 1);
  EXPECT_EQ(read[0], (std::vector<std::string>{"No.", "Название", "Событие", "Зона", "Время"}));
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(read[i + 1], std::vector<std::string>(rows[i].begin(), rows[i].end())) << "row " << i + 1;
}

TEST(HistoryCsv, TabTextIsOneLineOfFiveFieldsPerRow) {
  const struct {
    const char* fault;
    HistoryRow in;
    std::string out;
  } rows[] = {
      {"cells joined by tabs", {"1", "База", "SOS", "00", "01/01 00:00"}, "1\tБаза\tSOS\t00\t01/01 00:00"},
      {"a tab inside a cell would add a column", {"1", "a\tb", "", "", ""}, "1\ta b\t\t\t"},
      {"a line break inside a cell would add a row", {"1", "a\nb", "c\r\nd", "", ""}, "1\ta b\tc  d\t\t"},
  };
  for (const auto& row : rows) EXPECT_EQ(HistoryTabLine(row.in), row.out) << row.fault;
  EXPECT_EQ(HistoryTabText({{"1", "a", "b", "c", "d"}, {"2", "e", "f", "g", "h"}}), "1\ta\tb\tc\td\n2\te\tf\tg\th\n");
  EXPECT_EQ(HistoryTabText({}), "");
}

}  // namespace
}  // namespace veyra::alarm

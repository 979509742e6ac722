#include "features/alarm/HistoryCsvCodec.h"

#include "features/alarm/HistoryCodec.h"

namespace veyra::alarm {

namespace {

bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (text.find_first_of(",\"\r\n") != std::string_view::npos) return true;
  // Readers trim unquoted blanks at the ends of a field; quoting keeps them.
  return text.front() == ' ' || text.back() == ' ';
}

void AppendCsvLine(std::string& out, const HistoryRow& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) out += ',';
    out += CsvField(cells[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (!NeedsQuotes(text)) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string HistoryCsv(const std::vector<HistoryRow>& rows) {
  std::string out;
  HistoryRow titles;
  for (std::size_t i = 0; i < titles.size(); ++i) titles[i] = std::string(HistoryColumnTitles[i]);
  AppendCsvLine(out, titles);
  for (const HistoryRow& row : rows) AppendCsvLine(out, row);
  return out;
}

std::string HistoryTabLine(const HistoryRow& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) line += '\t';
    for (const char c : cells[i]) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
  return line;
}

std::string HistoryTabText(const std::vector<HistoryRow>& rows) {
  std::string text;
  for (const HistoryRow& row : rows) {
    text += HistoryTabLine(row);
    text += '\n';
  }
  return text;
}

}  // namespace veyra::alarm

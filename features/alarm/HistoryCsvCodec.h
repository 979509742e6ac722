// The alarm log as text for other programs: CSV files that installers hand to customers, and
// tab-separated lines for the clipboard and for scripts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "link/Translatable.h"

namespace veyra::alarm {

// The five cell texts of one table row, as the table shows them (UTF-8).
using HistoryRow = std::array<std::string, 5>;

// Shown when the CSV file cannot be written.
inline constexpr std::string_view kHistoryCsvSaveFailureText =
    QT_TRANSLATE_NOOP("veyra", "Не удалось сохранить файл!");

// One CSV field: enclosed in quotes, with quotes doubled, when it holds a comma, a quote, a
// line break or leading/trailing blanks; as it is otherwise.
std::string CsvField(std::string_view text);

// The column titles as the first line, then one line per row; CRLF line ends, no byte-order
// mark. The texts are written as given, so UTF-8 stays UTF-8.
std::string HistoryCsv(const std::vector<HistoryRow>& rows);

// One row's cells joined by tabs, without a line end. A tab or line break inside a cell
// becomes a blank, so one row is always one line of five fields.
std::string HistoryTabLine(const HistoryRow& cells);

// The rows as tab-separated lines, each ending with "\n".
std::string HistoryTabText(const std::vector<HistoryRow>& rows);

}  // namespace veyra::alarm

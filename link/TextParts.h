// Small pieces of reading and writing plain text that the codecs, the backup file and veyractl
// share: one copy of each, so a blank or a hex digit means the same everywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veyra {

// The blanks of the C locale: what isspace() takes.
inline constexpr std::string_view kBlankCharacters = " \t\n\r\v\f";

// text without the blanks at either end.
std::string_view Trim(std::string_view text, std::string_view blanks = kBlankCharacters);

// The parts of text between separators, in order; empty parts are dropped when skipEmpty.
std::vector<std::string_view> Split(std::string_view text, char separator, bool skipEmpty);

// One or two hex digits of either case and nothing else (no blank, no sign, no 0x): strtol
// would take more.
std::optional<unsigned char> HexByte(std::string_view text);

// A byte as two lower-case hex digits: "0a".
std::string HexPair(unsigned char byte);

}  // namespace veyra

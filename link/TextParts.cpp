#include "link/TextParts.h"

#include <algorithm>

namespace veyra {

std::string_view Trim(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string_view> Split(std::string_view text, char separator, bool skipEmpty) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start || !skipEmpty) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::optional<unsigned char> HexByte(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  unsigned value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<unsigned char>(value);
}

std::string HexPair(unsigned char byte) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

}  // namespace veyra

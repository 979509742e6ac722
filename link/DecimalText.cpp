#include "link/DecimalText.h"

#include <algorithm>
#include <cctype>

namespace veyra {

int AtoiField(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long kCeiling = 1000000;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(value * 10 + (text[i] - '0'), kCeiling);
  return static_cast<int>(negative ? -value : value);
}

std::optional<int> StrictDecimal(std::string_view text, int low, int high, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits || maxDigits > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace veyra

// The COM name rules every platform's port list shares.
#include "link/ComPorts.h"

#include <algorithm>
#include <climits>

namespace veyra {
namespace {

constexpr std::string_view kComPrefix = "COM";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string OneLineText(std::string_view text) {
  std::string line;
  for (const char c : text) {
    const bool blank = static_cast<unsigned char>(c) <= 0x20 || c == 0x7F;
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line += blank ? ' ' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

int ParsePortNumber(std::string_view text) {
  if (text.find(kComPrefix) == std::string_view::npos) return -1;
  std::string_view rest = text.substr(kComPrefix.size());
  std::size_t i = 0;
  while (i < rest.size() && (rest[i] == ' ' || (rest[i] >= '\t' && rest[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
    negative = rest[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < rest.size() && IsDigit(rest[i]); ++i) {
    value = value * 10 + (rest[i] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;  // saturate; keeps INT_MIN reachable
    }
  }
  if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::optional<int> ComNameNumber(std::string_view text) {
  if (text.size() <= kComPrefix.size() || text.substr(0, kComPrefix.size()) != kComPrefix)
    return std::nullopt;
  long long value = 0;
  for (const char c : text.substr(kComPrefix.size())) {
    if (!IsDigit(c)) return std::nullopt;
    value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(value);
}

}  // namespace veyra

// A number typed into a field, read the way the C library's atoi reads it: leading blanks, one
// sign, the leading digits, 0 when there are none. Saturated far beyond any field's range
// instead of overflowing.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace veyra {

int AtoiField(std::string_view text);

// A number written whole, for a file or a command line: digits only, at most maxDigits of them,
// and within [low, high]; nothing for anything else.
std::optional<int> StrictDecimal(std::string_view text, int low, int high, std::size_t maxDigits);

}  // namespace veyra

// A number typed into a field, read the way the C library's atoi reads it: leading blanks, one
// sign, the leading digits, 0 when there are none. Saturated far beyond any field's range
// instead of overflowing.
#pragma once

#include <string_view>

namespace veyra {

int AtoiField(std::string_view text);

}  // namespace veyra

// Text that came from outside (a file, a line, a host) made safe to quote in a message: a byte a
// terminal would act on or a message box would not show is written as \xHH, so an escape
// sequence cannot reach the terminal and a NUL cannot cut the message short.
#pragma once

#include <string>
#include <string_view>

namespace veyra {

// The text with printable UTF-8 kept as it is (Cyrillic and Chinese included) and every other
// byte written as \x and two upper-case hex digits: the C0 controls and DEL (tab and line ends
// too), the C1 controls, the marks that turn the direction of text around, and every byte of a
// sequence that is not well-formed UTF-8 (overlong, a surrogate, past U+10FFFF, cut short).
std::string PrintableText(std::string_view text);

}  // namespace veyra

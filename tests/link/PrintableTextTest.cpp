// Text from a file quoted in a message: what a terminal would act on, or what would cut the
// message short, is shown as \xHH; what a person can read stays as it is.
#include <gtest/gtest.h>

#include "link/PrintableText.h"

namespace veyra {
namespace {

using namespace std::string_literals;

TEST(PrintableTextTest, EscapesWhatIsNotPrintable) {
  const struct {
    const char* fault;
    std::string text, shown;
  } rows[] = {
      // clang-format off
      {"plain text changed", "daily,08:30", "daily,08:30"},
      {"empty text changed", "", ""},
      {"an escape sequence reaches the terminal", "a\x1B[2Jb", "a\\x1B[2Jb"},
      {"a NUL cuts the message", "12\0""34"s, "12\\x0034"},
      {"a NUL at the end dropped", "x\0"s, "x\\x00"},
      {"line ends split the message", "a\r\nb", "a\\x0D\\x0Ab"},
      {"a tab shown as blank", "a\tb", "a\\x09b"},
      {"DEL passed", "a\x7F", "a\\x7F"},
      {"a C1 control (CSI) passed", "a\xC2\x9B""2J", "a\\xC2\\x9B2J"},
      {"Cyrillic escaped", "Выключить", "Выключить"},
      {"Chinese escaped", "报警", "报警"},
      {"a four-byte character escaped", "\xF0\x9F\x94\x94", "\xF0\x9F\x94\x94"},
      {"no-break space escaped", "a\xC2\xA0""b", "a\xC2\xA0""b"},
      {"backslash doubled", "C:\\hosts", "C:\\hosts"},
      {"a right-to-left override passed", "a\xE2\x80\xAE""b", "a\\xE2\\x80\\xAEb"},
      {"a line separator passed", "a\xE2\x80\xA8""b", "a\\xE2\\x80\\xA8b"},
      {"a lone continuation byte passed", "a\x80""b", "a\\x80b"},
      {"Latin-1 byte passed", "caf\xE9", "caf\\xE9"},
      {"a sequence cut short at the end passed", "a\xD0", "a\\xD0"},
      {"a sequence cut short inside passed", "\xE2\x82""a", "\\xE2\\x82a"},
      {"an overlong slash passed", "\xC0\xAF", "\\xC0\\xAF"},
      {"an overlong three-byte form passed", "\xE0\x80\xAF", "\\xE0\\x80\\xAF"},
      {"a surrogate passed", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
      {"a code past U+10FFFF passed", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
      {"bytes FE and FF passed", "\xFE\xFF", "\\xFE\\xFF"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(PrintableText(row.text), row.shown);
  }
}

}  // namespace
}  // namespace veyra

// Text from a file quoted in a message: what a terminal would act on, or what would cut the
// message short, is shown as \xHH; what a person can read stays as it is.
#include <gtest/gtest.h>

#include "link/PrintableText.h"

namespace veyra {
namespace {

using namespace std::string_literals;

TEST(PrintableTextTest, EscapesWhatIsNotPrintable) {
  const struct {
    const char* expect;
    std::string text, shown;
  } rows[] = {
      // clang-format off
      {"plain text stays", "daily,08:30", "daily,08:30"},
      {"empty text stays", "", ""},
      {"an escape sequence is escaped", "a\x1B[2Jb", "a\\x1B[2Jb"},
      {"a NUL inside is escaped", "12\0""34"s, "12\\x0034"},
      {"a NUL at the end is escaped", "x\0"s, "x\\x00"},
      {"line ends are escaped", "a\r\nb", "a\\x0D\\x0Ab"},
      {"a tab is escaped", "a\tb", "a\\x09b"},
      {"DEL is escaped", "a\x7F", "a\\x7F"},
      {"a C1 control (CSI) is escaped", "a\xC2\x9B""2J", "a\\xC2\\x9B2J"},
      {"Cyrillic stays", "Выключить", "Выключить"},
      {"Chinese stays", "报警", "报警"},
      {"a four-byte character stays", "\xF0\x9F\x94\x94", "\xF0\x9F\x94\x94"},
      {"a no-break space stays", "a\xC2\xA0""b", "a\xC2\xA0""b"},
      {"a backslash stays single", "C:\\hosts", "C:\\hosts"},
      {"a right-to-left override is escaped", "a\xE2\x80\xAE""b", "a\\xE2\\x80\\xAEb"},
      {"a line separator is escaped", "a\xE2\x80\xA8""b", "a\\xE2\\x80\\xA8b"},
      {"a lone continuation byte is escaped", "a\x80""b", "a\\x80b"},
      {"a Latin-1 byte is escaped", "caf\xE9", "caf\\xE9"},
      {"a sequence cut short at the end is escaped", "a\xD0", "a\\xD0"},
      {"a sequence cut short inside is escaped", "\xE2\x82""a", "\\xE2\\x82a"},
      {"an overlong slash is escaped", "\xC0\xAF", "\\xC0\\xAF"},
      {"an overlong three-byte form is escaped", "\xE0\x80\xAF", "\\xE0\\x80\\xAF"},
      {"a surrogate is escaped", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
      {"a code past U+10FFFF is escaped", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
      {"bytes FE and FF are escaped", "\xFE\xFF", "\\xFE\\xFF"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(PrintableText(row.text), row.shown);
  }
}

}  // namespace
}  // namespace veyra

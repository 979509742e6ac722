// The shared pieces of text handling: what a blank, a part and a hex byte are.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/TextParts.h"

namespace veyra {
namespace {

TEST(TextPartsTest, TrimTakesBlanksOffBothEnds) {
  const struct {
    const char* expect;
    std::string_view text, blanks, trimmed;
  } rows[] = {
      {"blanks at both ends go", " \t12 34\r\n", kBlankCharacters, "12 34"},
      {"a blank inside stays", "a b", kBlankCharacters, "a b"},
      {"only blanks leave nothing", " \t\v\f ", kBlankCharacters, ""},
      {"nothing stays nothing", "", kBlankCharacters, ""},
      {"a form feed outside the set stays", "\fx \r", " \t\r", "\fx"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(Trim(row.text, row.blanks), row.trimmed);
  }
}

TEST(TextPartsTest, SplitKeepsEmptyPartsUnlessAsked) {
  using Parts = std::vector<std::string_view>;
  const struct {
    const char* expect;
    std::string_view text;
    bool skipEmpty;
    Parts parts;
  } rows[] = {
      {"parts come in order", "a,b,c", false, Parts{"a", "b", "c"}},
      {"an empty part between separators is kept", "a,,b", false, Parts{"a", "", "b"}},
      {"a trailing separator gives an empty part", "a,", false, Parts{"a", ""}},
      {"an empty text is one empty part", "", false, Parts{""}},
      {"empty parts go when skipped", ",a,,b,", true, Parts{"a", "b"}},
      {"an empty text has no parts when skipped", "", true, Parts{}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(Split(row.text, ',', row.skipEmpty), row.parts);
  }
}

TEST(TextPartsTest, HexByteTakesOneOrTwoDigitsOnly) {
  const struct {
    const char* expect;
    std::string_view text;
    std::optional<unsigned char> byte;
  } rows[] = {
      {"two digits are taken", "a5", 0xA5},       {"capitals are taken", "FF", 0xFF},
      {"one digit is taken", "7", 0x07},          {"three digits are refused", "100", std::nullopt},
      {"nothing is refused", "", std::nullopt},   {"a sign is refused", "-1", std::nullopt},
      {"a blank is refused", " 1", std::nullopt}, {"a letter past f is refused", "0g", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(HexByte(row.text), row.byte);
  }
}

TEST(TextPartsTest, HexPairWritesTwoLowerCaseDigits) {
  EXPECT_EQ(HexPair(0x00), "00");
  EXPECT_EQ(HexPair(0x0A), "0a");
  EXPECT_EQ(HexPair(0xBE), "be");
  EXPECT_EQ(HexPair(0xFF), "ff");
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include "link/Frame.h"

namespace veyra {
namespace {

TEST(Checksum, IsModulo255OfLenCmdAndData) {
  struct Row {
    const char* fault;
    Bytes payload;
    std::uint8_t chk;
  };
  const Row rows[] = {
      {"the arm command's checksum wrong", {0x00, 0x09}, 0x09},
      {"sum of 255 must wrap to 00, not stay FF", {0x00, 0xFF}, 0x00},
      {"sum of 256 gives 01 (divisor 255, not 256)", {0x01, 0xFF}, 0x01},
      {"sum of 509 gives FE", {0x01, 0xFE, 0xFE}, 0xFE},
      {"bytes are unsigned, never sign-extended", {0x02, 0x01, 0x80, 0x80}, 0x04},
      {"an empty payload's checksum not 00", {}, 0x00},
  };
  for (const Row& row : rows) EXPECT_EQ(Checksum(row.payload), row.chk) << row.fault;
}

TEST(BuildFrame, WrapsPayloadWithoutTouchingLen) {
  EXPECT_EQ(BuildFrame({0x00, 0x09}), (Bytes{0xAA, 0x00, 0x09, 0x09, 0x55}));
  // The caller's LEN is sent as given, even when it does not match.
  EXPECT_EQ(BuildFrame({0x05, 0x01}), (Bytes{0xAA, 0x05, 0x01, 0x06, 0x55}));
  EXPECT_EQ(BuildFrame({0x02, 0x01, 0x12, 0x34}), (Bytes{0xAA, 0x02, 0x01, 0x12, 0x34, 0x49, 0x55}));
}

TEST(ParseHexText, ReadsPairsAsTheAckTableWritesThem) {
  struct Row {
    const char* text;
    Bytes expected;
  };
  const Row rows[] = {
      {"AA 00 09 09 55", {0xAA, 0x00, 0x09, 0x09, 0x55}},
      {"a5 00 0A", {0xA5, 0x00, 0x0A}},  // lower case first digit accepted
      {"AA00", {0xAA, 0x00}},            // no separator needed
      {"AA 0", {0xAA}},                  // a single trailing character is ignored
      {"AA   00", {0xAA, 0x00}},         // any number of spaces
      {"", {}},
      {"ZZ 01", {0x01}},   // a pair with a non-hex first character adds nothing
      {"AA\t00", {0xAA}},  // a tab is not a separator: "\t0" is skipped as a pair
  };
  for (const Row& row : rows) {
    Bytes out{0x77};  // replaced, not appended to
    ParseHexText(row.text, out);
    EXPECT_EQ(out, row.expected) << '"' << row.text << '"';
  }
}

TEST(HexTextToBytes, PacksDigitsTwoToAByte) {
  struct Row {
    const char* text;
    int length;
    Bytes expected;
  };
  const Row rows[] = {
      {"2013", -1, {0x20, 0x13}},
      {"123456", -1, {0x12, 0x34, 0x56}},
      {"12345", -1, {0x12, 0x34}},  // the odd last digit is dropped
      {"123456", 4, {0x12, 0x34}},
      {"1A", -1, {0x1A}},
      {"", -1, {}},
  };
  for (const Row& row : rows) {
    Bytes out{0xEE};  // appended to, not replaced
    EXPECT_EQ(HexTextToBytes(row.text, out, row.length), 1);
    Bytes expected{0xEE};
    expected.insert(expected.end(), row.expected.begin(), row.expected.end());
    EXPECT_EQ(out, expected) << row.text;
  }
}

TEST(FrameHelpers, FormatKeyAndBoundedDataLength) {
  EXPECT_EQ(FormatHex({0xAA, 0x00, 0x0A, 0x0A, 0x55}), "AA 00 0A 0A 55");
  EXPECT_EQ(CommandKey(0x0A), "0A");
  EXPECT_EQ(CommandKey(0x23), "23");
  EXPECT_EQ(FrameDataLength({0xAA, 0x02, 0x01, 0x01, 0x02, 0x04, 0x55}), 2u);
  EXPECT_EQ(FrameDataLength({0xAA, 0x09, 0x01, 0x01, 0x55}), 0u) << "a lying LEN must not reach past the end";
  EXPECT_EQ(FrameDataLength({0xAA, 0x55}), 0u);
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include "session/LoginCodec.h"

namespace veyra::session {
namespace {

TEST(LoginCodec, PasswordTravelsAsPackedDigits) {
  struct Row {
    int password;
    Bytes payload;
  };
  const Row rows[] = {
      {1234, {0x02, 0x01, 0x12, 0x34}},  {0, {0x02, 0x01, 0x00, 0x00}},  // an empty field
      {9870, {0x02, 0x01, 0x98, 0x70}},  {2, {0x02, 0x01, 0x00, 0x02}},
      {12345, {0x02, 0x01, 0xC3, 0x45}},  // past four digits: kept to eight bits, never out of range
  };
  for (const Row& row : rows) EXPECT_EQ(LoginPayload(row.password), row.payload) << row.password;
}

TEST(LoginCodec, VerdictIsByteThreeWhateverTheCommand) {
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x01, 0x03, 0x55}), true);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x00, 0x02, 0x55}), false);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x07, 0x01, 0x09, 0x55}), true);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x02, 0x04, 0x55}), std::nullopt);
  EXPECT_EQ(LoginVerdict({0xAA, 0x00, 0x01}), std::nullopt) << "a frame too short has no verdict";
}

}  // namespace
}  // namespace veyra::session

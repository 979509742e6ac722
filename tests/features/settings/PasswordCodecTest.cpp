#include <gtest/gtest.h>

#include <string>

#include "features/settings/PasswordCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::settings {
namespace {

using test::Hex;

Message Failure(const std::string& text) { return Message{text, "Failure", false, Icon::None}; }

// Rows are ordered as the page checks: each refusal row also satisfies every check before it,
// so a check run out of order shows as the wrong message.
TEST(PasswordCodec, ChecksInOrderThenThePayload) {
  const Message length = Failure("Длина пароля должна составлять 4 символа!");
  const Message varies = Failure("Password input varies from!");
  Message zero = OwnedMessage("Длина пароля должна составлять 4 символа!");
  zero.detail = "Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.";
  const struct {
    const char* expect;
    const char* current;
    const char* newPassword;
    const char* confirmation;
    std::optional<Message> refusal;
    const char* frame;  // when sent
  } rows[] = {
      {"a short current password refused by length first", "123", "5678", "5679", length, ""},
      {"a long new password refused by length", "1234", "56789", "56789", length, ""},
      {"letters in the current password refused by length", "12ab", "5678", "5678", length, ""},
      {"blanks for the new password refused by length", "1234", "    ", "    ", length, ""},
      {"a short confirmation refused as differing", "1234", "5678", "56", varies, ""},
      {"one differing digit of the confirmation refused", "1234", "5678", "5679", varies, ""},
      {"an all-zero new password refused", "1234", "0000", "0000", zero, ""},
      {"an all-zero current password refused", "0000", "5678", "5678", zero, ""},
      {"a leading zero kept in the packed digits", "1234", "0567", "0567", std::nullopt,
       "AA 04 05 12 34 05 67 BB 55"},
      {"current packed before new", "9876", "1000", "1000", std::nullopt, "AA 04 05 98 76 10 00 28 55"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const PasswordRequest request = PasswordChangePayload(row.current, row.newPassword, row.confirmation);
    EXPECT_EQ(request.refusal, row.refusal);
    ASSERT_EQ(request.payload.has_value(), !row.refusal.has_value()) << "a refusal sends nothing";
    if (request.payload) {
      EXPECT_EQ(FormatHex(BuildFrame(*request.payload)), row.frame);
    }
  }
}

TEST(PasswordCodec, Verdicts) {
  const struct {
    const char* expect;
    const char* received;
    const char* text;
  } rows[] = {
      {"changed", "AA 01 05 05 0B 55", "Измененный пароль принят!"},
      {"wrong current password", "AA 01 05 FF 06 55", "Неверный пароль!"},
      {"verdict 00 is a failure", "AA 01 05 00 06 55", "Измененный пароль пароля!"},
      {"the verdict read from byte 3 whatever the reply's command", "AA 01 01 05 07 55",
       "Измененный пароль принят!"},
      {"a four-byte frame is a failure", "AA 00 05 05", "Измененный пароль пароля!"},
      {"byte 3 of a frame without data read as the verdict", "AA 00 05 05 55", "Измененный пароль принят!"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(PasswordReplyMessage(Hex(row.received)), OwnedMessage(row.text)) << row.expect;
}

}  // namespace
}  // namespace veyra::settings

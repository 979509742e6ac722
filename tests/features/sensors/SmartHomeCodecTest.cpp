#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/sensors/SmartHomeCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::sensors {
namespace {

using test::Hex;

TEST(SmartHomeCodec, SystemIdPayloadOrRefusal) {
  const struct {
    const char* expect;
    const char* id;
    const char* frame;  // empty when refused
    const char* refusal;
  } rows[] = {
      {"digit pairs are packed in order, high nibble first", "123456", "AA 03 20 12 34 56 BF 55", ""},
      {"leading zeros are kept", "000907", "AA 03 20 00 09 07 33 55", ""},
      {"an empty field is refused", "", "", "Укажите ID!!"},
      {"a short ID is refused", "12345", "", "Ошибка формата ввода!!"},
      {"an ID of seven digits is refused", "1234567", "", "Ошибка формата ввода!!"},
      {"a letter is refused", "12A456", "", "Ошибка формата ввода!!"},
      {"white space is refused", " 12345", "", "Ошибка формата ввода!!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const SmartHomeRequest request = SmartHomeIdPayload(row.id);
    ASSERT_EQ(request.payload.has_value(), !request.refusal.has_value()) << "a refusal sends nothing";
    if (request.payload) {
      EXPECT_EQ(FormatHex(BuildFrame(*request.payload)), row.frame);
    } else {
      EXPECT_EQ(request.refusal, OwnedMessage(row.refusal));
    }
  }
}

TEST(SmartHomeCodec, EachListPositionSendsItsChannelCode) {
  ASSERT_EQ(SingleTriggerTexts.size(), 9u);
  for (int position = 0; position < 9; ++position) {
    const std::string channel = std::to_string(position + 1);
    EXPECT_EQ(SingleTriggerTexts[position], channel + "_CH(0" + channel + ")");
    EXPECT_EQ(SingleTriggerPayload(position), (Bytes{0x01, 0x21, static_cast<std::uint8_t>(position + 1)}));
  }
  // The code is the hexadecimal number the entry shows; each channel on first, then off.
  ASSERT_EQ(DoubleTriggerTexts.size(), 18u);
  for (int position = 0; position < 18; ++position) {
    const std::string channel = std::to_string(position / 2 + 1);
    const bool on = position % 2 == 0;
    const std::string shown = channel + (on ? "1" : "0");
    EXPECT_EQ(DoubleTriggerTexts[position], channel + (on ? "_CH On(" : "_CH Off(") + shown + ")");
    EXPECT_EQ(DoubleTriggerPayload(position),
              (Bytes{0x01, 0x22, static_cast<std::uint8_t>(std::stoi(shown, nullptr, 16))}));
  }
  for (const int outside : {-1, 9})
    EXPECT_FALSE(SingleTriggerPayload(outside)) << "no selection sent as a code";
  for (const int outside : {-1, 18})
    EXPECT_FALSE(DoubleTriggerPayload(outside)) << "no selection sent as a code";
}

TEST(SmartHomeCodec, ReplyMessage) {
  const struct {
    const char* expect;
    const char* sent;  // the frame sent last
    const char* received;
    bool accepted;
  } rows[] = {
      {"the ID echo is taken as success", "AA 03 20 12 34 56 BF 55", "AA 00 20 20 55", true},
      {"the single trigger echo is taken as success", "AA 01 21 03 25 55", "AA 00 21 21 55", true},
      {"the double trigger echo is taken as success", "AA 01 22 20 43 55", "AA 00 22 22 55", true},
      {"any reply to the command is taken as success", "AA 03 20 12 34 56 BF 55", "AA 01 0C 05 12 55", true},
      {"a reply to another dialog's command shows nothing", "AA 00 26 26 55", "AA 00 26 26 55", false},
      {"a reply with no whole frame sent shows nothing", "AA 00", "AA 00 20 20 55", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<Message> message = SmartHomeReplyMessage(Hex(row.sent), Hex(row.received));
    if (row.accepted) {
      EXPECT_EQ(message, OwnedMessage("Настройки приняты"));
    } else {
      EXPECT_FALSE(message);
    }
  }
}

}  // namespace
}  // namespace veyra::sensors

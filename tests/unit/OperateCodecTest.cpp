#include "alarm/OperateCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using testing::DefaultAck;
using testing::Hex;

struct PayloadRow {
  const char* name;
  Operation operation;
  const char* payload;
  const char* frame;
};

TEST(OperateCodec, PayloadAndFrameOnTheLine) {
  const PayloadRow rows[] = {
      {"arm_sends_09", Operation::Arm, "00 09", "AA 00 09 09 55"},
      {"disarm_sends_0A", Operation::Disarm, "00 0A", "AA 00 0A 0A 55"},
      {"partial_sends_0B", Operation::Partial, "00 0B", "AA 00 0B 0B 55"},
  };
  for (const PayloadRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(OperatePayload(row.operation), Hex(row.payload));
    EXPECT_EQ(FormatHex(BuildFrame(OperatePayload(row.operation))), row.frame);
    EXPECT_EQ(OperationFromCommand(OperateCommand(row.operation)), row.operation);
  }
}

struct ReplyRow {
  const char* name;
  const char* sent;      // frame sent last, "" for none
  const char* received;
  std::optional<std::string> message;
};

TEST(OperateCodec, ReplyMessage) {
  const ReplyRow rows[] = {
      {"arm_echo_is_success", "AA 00 09 09 55", "AA 00 09 09 55", "Активировать систему!"},
      {"disarm_echo_is_success", "AA 00 0A 0A 55", "AA 00 0A 0A 55", "Дезактивировать систему!"},
      {"partial_echo_is_success", "AA 00 0B 0B 55", "AA 00 0B 0B 55", "Выборочный режим OK!"},
      {"arm_refused_is_not_silent", "AA 00 09 09 55", "AA 01 09 01 0B 55", "Ошибка активации!"},
      {"disarm_refused_is_not_silent", "AA 00 0A 0A 55", "AA 00 0B 0B 55", "Ошибка деактивации!"},
      {"partial_refused_reports_failure", "AA 00 0B 0B 55", "AA 00 09 09 55",
       "Выборочный режим Failure!"},
      {"judged_by_sent_not_received_command", "AA 00 09 09 55", "AA 00 0A 0A 55",
       "Ошибка активации!"},
      {"frame_before_anything_sent_ignored", "", "AA 00 09 09 55", std::nullopt},
      {"other_sent_command_ignored", "AA 00 02 02 55", "AA 00 09 09 55", std::nullopt},
      {"truncated_sent_frame_ignored", "AA 00", "AA 00 09 09 55", std::nullopt},
  };
  for (const ReplyRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<Message> message = OperateReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    ASSERT_EQ(message.has_value(), row.message.has_value());
    if (message) {
      EXPECT_EQ(message->text, *row.message);
      EXPECT_EQ(message->caption, "");
      EXPECT_TRUE(message->owned);
    }
  }
}

TEST(OperateCodec, AcknowledgementLookedUpUnderTheSentCommandsKey) {
  std::string askedKey;
  auto checker = [&](const std::string& key, const Bytes&) {
    askedKey = key;
    return 1;
  };
  OperateReplyMessage(Hex("AA 00 0A 0A 55"), Hex("AA 00 0A 0A 55"), checker);
  EXPECT_EQ(askedKey, "0A");
}

TEST(OperateCodec, MissingCheckerCountsAsMismatch) {
  const auto message = OperateReplyMessage(Hex("AA 00 09 09 55"), Hex("AA 00 09 09 55"), AckCheck{});
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "Ошибка активации!");
}

TEST(OperateCodec, HostNotFoundAndNoReplyTexts) {
  // Arm's not-found text lacks the exclamation marks the others carry.
  EXPECT_EQ(OperateHostNotFoundText(Operation::Arm), "3G камера не найдена");
  EXPECT_EQ(OperateHostNotFoundText(Operation::Disarm), "3G камера не найдена!!");
  EXPECT_EQ(OperateHostNotFoundText(Operation::Partial), "3G камера не найдена!!");
  EXPECT_EQ(OperateNoReplyText(Operation::Arm), "Ошибка активации!");
  EXPECT_EQ(OperateNoReplyText(Operation::Disarm), "Ошибка деактивации!");
  EXPECT_EQ(OperateNoReplyText(Operation::Partial), "Выборочный режим Failure!");
}

}  // namespace
}  // namespace veyra::alarm

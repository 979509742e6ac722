#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/alarm/OperateCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using test::DefaultAck;
using test::Hex;

TEST(OperateCodec, FrameOnTheLineAndTextsWithoutAReply) {
  const struct {
    Operation operation;
    const char* frame;
    const char* hostNotFound;
    const char* noReply;
  } rows[] = {
      {Operation::Arm, "AA 00 09 09 55", "3G камера не найдена", "Ошибка активации!"},  // no "!!" for arm
      {Operation::Disarm, "AA 00 0A 0A 55", "3G камера не найдена!!", "Ошибка деактивации!"},
      {Operation::Partial, "AA 00 0B 0B 55", "3G камера не найдена!!", "Выборочный режим Failure!"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatHex(BuildFrame(OperatePayload(row.operation))), row.frame);
    EXPECT_EQ(OperateHostNotFoundText(row.operation), row.hostNotFound) << row.frame;
    EXPECT_EQ(OperateNoReplyText(row.operation), row.noReply) << row.frame;
  }
}

TEST(OperateCodec, ReplyMessage) {
  const struct {
    const char* expect;
    const char* sent;  // the frame sent last
    const char* received;
    std::optional<std::string> message;
    AckCheck checkAck = DefaultAck;
  } rows[] = {
      {"arm_ack_reported_as_success", "AA 00 09 09 55", "AA 00 09 09 55", "Активировать систему!"},
      {"disarm_ack_reported_as_success", "AA 00 0A 0A 55", "AA 00 0A 0A 55", "Дезактивировать систему!"},
      {"partial_ack_reported_as_success", "AA 00 0B 0B 55", "AA 00 0B 0B 55", "Выборочный режим OK!"},
      {"refused_arm_reported", "AA 00 09 09 55", "AA 01 09 01 0B 55", "Ошибка активации!"},
      {"refused_disarm_reported", "AA 00 0A 0A 55", "AA 00 0B 0B 55", "Ошибка деактивации!"},
      {"refused_partial_reported", "AA 00 0B 0B 55", "AA 00 0C 0C 55", "Выборочный режим Failure!"},
      {"ack_looked_up_under_the_sent_command", "AA 00 09 09 55", "AA 00 0A 0A 55", "Ошибка активации!"},
      {"missing_checker_judged_a_failure", "AA 00 09 09 55", "AA 00 09 09 55", "Ошибка активации!",
       AckCheck{}},
      {"reply_to_another_command_not_judged", "AA 00 02 02 55", "AA 00 09 09 55", std::nullopt},
      {"reply_not_judged_with_no_whole_frame_sent", "AA 00", "AA 00 09 09 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<Message> message =
        OperateReplyMessage(Hex(row.sent), Hex(row.received), row.checkAck);
    ASSERT_EQ(message.has_value(), row.message.has_value());
    if (!message) continue;
    EXPECT_EQ(message->text, *row.message);
    EXPECT_EQ(message->caption, "");
    EXPECT_TRUE(message->owned);
  }
}

}  // namespace
}  // namespace veyra::alarm

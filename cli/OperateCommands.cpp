// veyractl arm, disarm, partial: the operate-host dialog's three buttons.
#include <optional>
#include <string>

#include "cli/CliContext.h"
#include "features/alarm/OperateCodec.h"

namespace veyra::cli {
namespace {

using alarm::Operation;

// Prints what the dialog would show; 0 when that was the operation's success message.
int RunOperate(Operation operation, Context& context, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError("arm, disarm and partial take no arguments");
  if (const int status = context.Connect()) return status;
  if (HostFound == 0) {
    context.Out().Show(veyra::OwnedMessage(alarm::OperateHostNotFoundText(operation)));
    return 1;
  }
  QueueLink& link = context.Link();
  link.ClearPayload();
  link.Payload = alarm::OperatePayload(operation);
  if (context.Send() == 0) {
    context.Out().Show(veyra::OwnedMessage(alarm::OperateNoReplyText(operation)));
    return 1;
  }
  // The frame that ended the wait is queued once it has been handed over, moments later.
  const std::optional<Bytes> reply = link.NextFrame(context.QuietMs());
  if (!reply) {
    context.Out().Show(veyra::OwnedMessage(alarm::OperateNoReplyText(operation)));
    return 1;
  }
  const std::optional<Message> message = alarm::OperateReplyMessage(
      link.SentFrame(), *reply,
      [&link](const std::string& key, const Bytes& frame) { return link.CheckAck(key, frame); });
  if (!message) return 1;
  context.Out().Show(*message);
  return message->text == alarm::OperateSuccessText(operation) ? 0 : 1;
}

int RunArm(Context& context, const std::vector<std::string>& args) {
  return RunOperate(Operation::Arm, context, args);
}
int RunDisarm(Context& context, const std::vector<std::string>& args) {
  return RunOperate(Operation::Disarm, context, args);
}
int RunPartial(Context& context, const std::vector<std::string>& args) {
  return RunOperate(Operation::Partial, context, args);
}

const RegisterCommand kArm({"arm", "--port PORT arm", RunArm});
const RegisterCommand kDisarm({"disarm", "--port PORT disarm", RunDisarm});
const RegisterCommand kPartial({"partial", "--port PORT partial", RunPartial});

}  // namespace
}  // namespace veyra::cli

// veyractl arm, disarm, partial: the operate-host dialog's three buttons.
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "features/alarm/OperateCodec.h"

namespace veyra::cli {
namespace {

using alarm::Operation;

// Prints what the dialog would show; 0 when that was the operation's success message.
int RunOperate(Operation operation, Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("arm, disarm and partial take no arguments");
  if (const int status = context.ConnectToHost(alarm::OperateHostNotFoundText(operation))) return status;
  const std::optional<Bytes> reply =
      context.Exchange(alarm::OperatePayload(operation), alarm::OperateNoReplyText(operation));
  if (!reply) return 1;
  FrameQueue& link = context.Link();
  const std::optional<Message> message = alarm::OperateReplyMessage(link.SentFrame(), *reply, link.Acks());
  if (!message) return 1;
  context.Out().Show(*message);
  return message->text == alarm::OperateSuccessText(operation) ? 0 : 1;
}

int RunArm(Context& context, const Args& args) { return RunOperate(Operation::Arm, context, args); }
int RunDisarm(Context& context, const Args& args) { return RunOperate(Operation::Disarm, context, args); }
int RunPartial(Context& context, const Args& args) { return RunOperate(Operation::Partial, context, args); }

const RegisterCommand kArm(
    {.name = "arm", .usage = "--port PORT arm", .summary = "arm the host", .run = RunArm});
const RegisterCommand kDisarm(
    {.name = "disarm", .usage = "--port PORT disarm", .summary = "disarm the host", .run = RunDisarm});
const RegisterCommand kPartial({.name = "partial",
                                .usage = "--port PORT partial",
                                .summary = "arm the host partially (the selective mode)",
                                .run = RunPartial});

}  // namespace
}  // namespace veyra::cli

// veyractl history, erase-history: the alarm history dialog's read and erase.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliContext.h"
#include "features/alarm/HistoryCodec.h"
#include "features/alarm/HistoryCsvCodec.h"

namespace veyra::cli {
namespace {

// Both commands take no arguments and need a connected host; the exit status to stop with, or 0.
int Prepare(Context& context, const std::vector<std::string>& args, const char* usage) {
  if (!args.empty()) return UsageError(usage);
  return context.ConnectToHost(alarm::kHistoryHostNotFoundText);
}

// One line per record, the table's five cells separated by tabs, in the order the host sends
// them, until the line has been quiet for a reply window or a bound is reached.
int RunHistory(Context& context, const std::vector<std::string>& args) {
  if (const int status = Prepare(context, args, "history takes no arguments")) return status;
  QueueLink& link = context.Link();
  if (!context.SendCommand(alarm::HistoryReadPayload())) {
    context.Out().Show(OwnedMessage(std::string(alarm::kHistoryReadNoReplyText)));
    return 1;
  }
  const Bytes sent = link.SentFrame();
  int records = 0;
  const ListEnd end = context.ReadAnswer("history", kLongListBounds, [&](const Bytes& frame) {
    const std::optional<alarm::HistoryRecord> record = alarm::HistoryReadRecord(sent, frame);
    if (!record) return;
    std::printf("%s\n", alarm::HistoryTabLine(alarm::HistoryRecordCells(*record, ++records)).c_str());
    std::fflush(stdout);
  });
  if (end != ListEnd::Quiet) return 1;
  if (records == 0) {
    context.Out().Show(OwnedMessage(std::string(alarm::kHistoryReadNoReplyText)));
    return 1;
  }
  return 0;
}

int RunEraseHistory(Context& context, const std::vector<std::string>& args) {
  if (const int status = Prepare(context, args, "erase-history takes no arguments")) return status;
  const std::optional<Bytes> reply =
      context.Exchange(alarm::HistoryErasePayload(), alarm::kHistoryEraseFailureText);
  if (!reply) return 1;
  QueueLink& link = context.Link();
  const std::optional<Message> message =
      alarm::HistoryEraseReplyMessage(link.SentFrame(), *reply, link.Acks());
  if (!message) return 1;
  context.Out().Show(*message);
  return message->text == alarm::kHistoryEraseDoneText ? 0 : 1;
}

const RegisterCommand kHistory({"history", "--port PORT history", RunHistory});
const RegisterCommand kEraseHistory({"erase-history", "--port PORT erase-history", RunEraseHistory});

}  // namespace
}  // namespace veyra::cli

// veyractl history, erase-history: the alarm history dialog's read and erase.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "features/alarm/HistoryCodec.h"
#include "features/alarm/HistoryCsvCodec.h"

namespace veyra::cli {
namespace {

// Both commands take no arguments and need a connected host; the exit status to stop with, or 0.
int Prepare(Context& context, const Args& args, const char* usage) {
  if (!args.words.empty()) return UsageError(usage);
  return context.ConnectToHost(alarm::kHistoryHostNotFoundText);
}

// One line per record, the table's five cells separated by tabs, in the order the host sends
// them, until the line has been quiet for a reply window or a bound is reached.
int RunHistory(Context& context, const Args& args) {
  if (const int status = Prepare(context, args, "history takes no arguments")) return status;
  FrameQueue& link = context.Link();
  Json& list = context.Doc()["history"] = Json::array();
  if (!context.SendCommand(alarm::HistoryReadPayload())) {
    context.Out().Show(OwnedMessage(std::string(alarm::kHistoryReadNoReplyText)));
    return 1;
  }
  const Bytes sent = link.SentFrame();
  int records = 0;
  const ListEnd end = context.ReadAnswer("history", kLongListBounds, [&](const Bytes& frame) {
    const std::optional<alarm::HistoryRecord> record = alarm::HistoryReadRecord(sent, frame);
    if (!record) return false;
    const auto cells = alarm::HistoryRecordCells(*record, ++records);
    if (args.json) {
      list.push_back({{"no", records},
                      {"source", cells[1]},
                      {"event", cells[2]},
                      {"zone", record->zone},
                      {"time", cells[4]}});
      return false;
    }
    std::printf("%s\n", alarm::HistoryTabLine(cells).c_str());
    std::fflush(stdout);
    return false;
  });
  if (end != ListEnd::Quiet) return 1;
  if (records == 0) {
    context.Out().Show(OwnedMessage(std::string(alarm::kHistoryReadNoReplyText)));
    return 1;
  }
  return 0;
}

int RunEraseHistory(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("erase-history takes --yes and nothing else");
  if (const int status = NeedsYes(args, "erase-history", "the history cannot be read back")) return status;
  if (const int status = Prepare(context, args, "")) return status;
  const std::optional<Bytes> reply =
      context.Exchange(alarm::HistoryErasePayload(), alarm::kHistoryEraseFailureText);
  if (!reply) return 1;
  FrameQueue& link = context.Link();
  const std::optional<Message> message =
      alarm::HistoryEraseReplyMessage(link.SentFrame(), *reply, link.Acks());
  if (!message) return 1;
  context.Out().Show(*message);
  return message->text == alarm::kHistoryEraseDoneText ? 0 : 1;
}

const RegisterCommand kHistory({.name = "history",
                                .usage = "--port PORT history [--json]",
                                .summary = "print the alarm history, one record a line in the order the host "
                                           "sends it: number, source, event, zone, month/day hour:minute",
                                .options = {kJsonOption},
                                .run = RunHistory});
const RegisterCommand kEraseHistory({.name = "erase-history",
                                     .usage = "--port PORT erase-history --yes",
                                     .summary = "erase the alarm history on the host",
                                     .options = {YesOption("erases every record of the host's history")},
                                     .run = RunEraseHistory});

}  // namespace
}  // namespace veyra::cli

// veyractl's timed arm/disarm commands: list the host's timers, set the timers of one group.
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/CliContext.h"
#include "features/alarm/TimedCodec.h"

namespace veyra::cli {
namespace {

using namespace alarm;

// A whole decimal number in [low, high], nothing else.
std::optional<int> ParseCode(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

int RunTimers(Context& context, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError("timers takes no arguments");
  if (const int status = context.Connect()) return status;
  if (!context.SendCommand(TimedLookupPayload())) {
    Messages().Show(veyra::OwnedMessage(kTimedLookupNoReplyText));
    return 1;
  }
  QueueLink& link = context.Link();
  const Bytes sent = link.SentFrame();
  int row = 0;
  const ListEnd end = context.ReadAnswer("timers", kShortListBounds, [&](const Bytes& frame) {
    const std::optional<TimedSchedule> schedule = TimedLookupRecord(sent, frame);
    if (!schedule) return;
    const auto cells = TimedRecordCells(*schedule, ++row);
    std::printf("%s\t%s\t%s\t%s\n", cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str());
    std::fflush(stdout);
  });
  if (end != ListEnd::Quiet) return 1;
  if (row == 0) {
    // Frames came, none of them a schedule: to the user that is no answer at all.
    Messages().Show(veyra::OwnedMessage(kTimedLookupNoReplyText));
    return 1;
  }
  return 0;
}

constexpr const char* kTimerSetUsage =
    "timer-set GROUP ARM_DAY ARM_HH:MM DISARM_DAY DISARM_HH:MM (GROUP 1-3, day codes 0-8)";

int RunTimerSet(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 5) return UsageError(kTimerSetUsage);
  const std::optional<int> group = ParseCode(args[0], 1, static_cast<int>(TimedGroupNames.size()));
  const std::optional<int> armDay = ParseCode(args[1], 0, static_cast<int>(TimedDayNames.size()) - 1);
  const std::optional<TimedTime> arm = ParseTimedClock(args[2]);
  const std::optional<int> disarmDay = ParseCode(args[3], 0, static_cast<int>(TimedDayNames.size()) - 1);
  const std::optional<TimedTime> disarm = ParseTimedClock(args[4]);
  if (!group || !armDay || !arm || !disarmDay || !disarm) return UsageError(kTimerSetUsage);

  TimedSchedule schedule;
  schedule.group = *group;
  schedule.arm = TimedTime{*armDay, arm->hour, arm->minute};
  schedule.disarm = TimedTime{*disarmDay, disarm->hour, disarm->minute};
  // Refused as the setting page refuses it: before the port is even opened.
  const TimedRequest request = TimedSetPayload(schedule);
  if (!request.payload) {
    Messages().Show(*request.refusal);
    return 1;
  }
  if (const int status = context.Connect()) return status;

  QueueLink& link = context.Link();
  // Shared with the handler: a late frame may still be in it when this function returns.
  const auto succeeded = std::make_shared<std::atomic<bool>>(false);
  link.SetHandler([acks = link.Acks(), succeeded](const Bytes& sent, const Bytes& received) {
    const std::optional<Message> message = TimedSetReplyMessage(sent, received, acks);
    if (!message) return;
    if (message->text == kTimedSetSuccessText) *succeeded = true;
    Messages().Show(*message);
  });
  // The handler has judged the reply by the time the send returns: the verdict is out.
  const bool replied = context.Exchange(*request.payload, kTimedSetFailureText).has_value();
  link.SetHandler(nullptr);
  return replied && *succeeded ? 0 : 1;
}

const RegisterCommand kTimers({"timers", "--port PORT timers", RunTimers});
const RegisterCommand kTimerSet({"timer-set",
                                 "--port PORT timer-set GROUP ARM_DAY ARM_HH:MM DISARM_DAY DISARM_HH:MM",
                                 RunTimerSet});

}  // namespace
}  // namespace veyra::cli

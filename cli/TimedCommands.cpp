// veyractl's timed arm/disarm commands: list the host's timers, set the timers of one group.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "features/alarm/TimedCodec.h"
#include "link/DecimalText.h"

namespace veyra::cli {
namespace {

using namespace alarm;

// A day or group code: one or two digits within [low, high].
std::optional<int> ParseCode(const std::string& text, int low, int high) {
  return StrictDecimal(text, low, high, 2);
}

// A day code with its name and the clock time, as the look-up page shows them in one cell.
Json TimeJson(const TimedTime& time) {
  const bool named = time.day >= 0 && time.day < static_cast<int>(TimedDayNames.size());
  char clock[32];
  std::snprintf(clock, sizeof clock, "%02d:%02d", time.hour, time.minute);
  return {
      {"day", time.day}, {"day_name", named ? TimedDayNames[time.day] : TimedDayNames[0]}, {"time", clock}};
}

int RunTimers(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("timers takes no arguments");
  if (const int status = context.Connect()) return status;
  Json& list = context.Doc()["timers"] = Json::array();
  if (!context.SendCommand(TimedLookupPayload())) {
    Messages().Show(veyra::OwnedMessage(kTimedLookupNoReplyText));
    return 1;
  }
  FrameQueue& link = context.Link();
  const Bytes sent = link.SentFrame();
  int row = 0;
  // The host has a fixed number of groups: the list ends at the last one's frame, not a quiet
  // reply window after it.
  std::array<bool, TimedGroupNames.size()> seen{};
  const ListEnd end = context.ReadAnswer("timers", kShortListBounds, [&](const Bytes& frame) {
    const std::optional<TimedSchedule> schedule = TimedLookupRecord(sent, frame);
    if (!schedule) return false;
    if (schedule->group >= 1 && schedule->group <= static_cast<int>(seen.size()))
      seen[schedule->group - 1] = true;
    const auto cells = TimedRecordCells(*schedule, ++row);
    if (args.json) {
      list.push_back({{"no", row},
                      {"group", schedule->group},
                      {"arm", TimeJson(schedule->arm)},
                      {"disarm", TimeJson(schedule->disarm)}});
    } else {
      std::printf("%s\t%s\t%s\t%s\n", cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str());
      std::fflush(stdout);
    }
    return std::all_of(seen.begin(), seen.end(), [](bool group) { return group; });
  });
  if (end != ListEnd::Quiet && end != ListEnd::Complete) return 1;
  if (row == 0) {
    // Frames came, none of them a schedule: to the user that is no answer at all.
    Messages().Show(veyra::OwnedMessage(kTimedLookupNoReplyText));
    return 1;
  }
  return 0;
}

constexpr const char* kTimerSetUsage =
    "timer-set GROUP ARM_DAY ARM_HH:MM DISARM_DAY DISARM_HH:MM (GROUP 1-3, day codes 0-8)";

int RunTimerSet(Context& context, const Args& args) {
  const std::vector<std::string>& words = args.words;
  if (words.size() != 5) return UsageError(kTimerSetUsage);
  const std::optional<int> group = ParseCode(words[0], 1, static_cast<int>(TimedGroupNames.size()));
  const std::optional<int> armDay = ParseCode(words[1], 0, static_cast<int>(TimedDayNames.size()) - 1);
  const std::optional<TimedTime> arm = ParseTimedClock(words[2]);
  const std::optional<int> disarmDay = ParseCode(words[3], 0, static_cast<int>(TimedDayNames.size()) - 1);
  const std::optional<TimedTime> disarm = ParseTimedClock(words[4]);
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

  FrameQueue& link = context.Link();
  // Shared with the handler: a late frame may still be in it when this function returns.
  const auto succeeded = std::make_shared<std::atomic<bool>>(false);
  link.SetHandler([acks = link.Acks(), succeeded](const Bytes& sent, const Bytes& received) {
    const std::optional<ReplyOutcome> outcome = TimedSetReplyOutcome(sent, received, acks);
    if (!outcome) return;
    if (outcome->acknowledged) *succeeded = true;
    Messages().Show(outcome->message);
  });
  // The handler has judged the reply by the time the send returns: the verdict is out.
  const bool replied = context.Exchange(*request.payload, kTimedSetFailureText).has_value();
  link.SetHandler(nullptr);
  return replied && *succeeded ? 0 : 1;
}

// The day codes with the texts the timer pages show for them.
std::string DayCodeHelp() {
  std::string text = "DAY     a day code:\n";
  for (std::size_t code = 0; code < TimedDayNames.size(); ++code)
    text += "  " + std::to_string(code) + "     " + std::string(TimedDayNames[code]) +
            (code == 0   ? " (off: the timer does nothing)"
             : code == 1 ? " (every day)"
                         : "") +
            "\n";
  return text;
}

const RegisterCommand kTimers(
    {.name = "timers",
     .usage = "--port PORT timers [--json]",
     .summary = "print the timed arm/disarm schedules, one group a line: row, group, "
                "arm day and time, disarm day and time",
     .details = DayCodeHelp(),
     .options = {kJsonOption},
     .run = RunTimers});
const RegisterCommand kTimerSet(
    {.name = "timer-set",
     .usage = "--port PORT timer-set GROUP ARM_DAY ARM_HH:MM DISARM_DAY DISARM_HH:MM",
     .summary = "set when one timer group arms and disarms the host",
     .details = "GROUP   1 to 3\n" + DayCodeHelp() +
                "HH:MM   hour 0-23 and minute 0-59 of the host's clock (H:MM too)\n",
     .run = RunTimerSet});

}  // namespace
}  // namespace veyra::cli

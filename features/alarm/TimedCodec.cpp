#include "features/alarm/TimedCodec.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "link/DecimalText.h"

namespace veyra::alarm {

namespace {

bool Within(int value, int highest) { return value >= 0 && value <= highest; }

// The index into TimedRangeDetails of the first field out of range, or none.
std::optional<std::size_t> FirstBadField(const TimedSchedule& schedule) {
  const int lastDay = static_cast<int>(TimedDayNames.size()) - 1;
  const TimedTime* times[] = {&schedule.arm, &schedule.disarm};
  for (std::size_t i = 0; i < 2; ++i) {
    const TimedTime& time = *times[i];
    const bool fine[] = {Within(time.day, lastDay), Within(time.hour, 23), Within(time.minute, 59)};
    for (std::size_t field = 0; field < 3; ++field)
      if (!fine[field]) return i * 3 + field;
  }
  return std::nullopt;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

std::optional<int> ClockPart(std::string_view digits) {
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

int TimedFieldValue(std::string_view text) { return AtoiField(text); }

int TimedFieldInput(std::string_view text) {
  const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? TimedFieldValue(text) : -1;
}

std::optional<TimedTime> ParseTimedClock(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<int> hour = ClockPart(text.substr(0, colon));
  const std::optional<int> minute = ClockPart(text.substr(colon + 1));
  if (!hour || !minute) return std::nullopt;
  TimedTime time;
  time.hour = *hour;
  time.minute = *minute;
  return time;
}

TimedRequest TimedSetPayload(const TimedSchedule& schedule) {
  TimedRequest request;
  if (schedule.group < 1 || schedule.group > static_cast<int>(TimedGroupNames.size())) {
    request.refusal = OwnedMessage(std::string(kTimedNoGroupText));
    return request;
  }
  if (const std::optional<std::size_t> field = FirstBadField(schedule)) {
    request.refusal = OwnedMessage(std::string(kTimedBadTimeText));
    request.refusal->detail = std::string(TimedRangeDetails[*field]);
    return request;
  }
  auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
  request.payload = Bytes{static_cast<std::uint8_t>(kTimedRecordLength),
                          kTimedSetCommand,
                          byte(schedule.group),
                          byte(schedule.arm.day),
                          byte(schedule.arm.hour),
                          byte(schedule.arm.minute),
                          byte(schedule.disarm.day),
                          byte(schedule.disarm.hour),
                          byte(schedule.disarm.minute)};
  return request;
}

std::optional<Bytes> TimedRecordPayload(const TimedSchedule& schedule) {
  const int fields[] = {schedule.arm.day,    schedule.arm.hour,    schedule.arm.minute,
                        schedule.disarm.day, schedule.disarm.hour, schedule.disarm.minute};
  if (schedule.group < 1 || schedule.group > static_cast<int>(TimedGroupNames.size())) return std::nullopt;
  Bytes payload = {static_cast<std::uint8_t>(kTimedRecordLength), kTimedSetCommand,
                   static_cast<std::uint8_t>(schedule.group)};
  for (int field : fields) {
    if (!Within(field, 0xFF)) return std::nullopt;
    payload.push_back(static_cast<std::uint8_t>(field));
  }
  return payload;
}

Bytes TimedLookupPayload() { return {0x00, kTimedLookupCommand}; }

std::optional<ReplyOutcome> TimedSetReplyOutcome(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                 const AckCheck& checkAck) {
  if (sentFrame.size() <= kFrameCmdOffset) return std::nullopt;
  const bool acknowledged = sentFrame[kFrameCmdOffset] == kTimedSetCommand && checkAck &&
                            checkAck(CommandKey(kTimedSetCommand), receivedFrame) == 1;
  return ReplyOutcome{acknowledged,
                      OwnedMessage(std::string(acknowledged ? kTimedSetSuccessText : kTimedSetFailureText))};
}

std::optional<Message> TimedSetReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                            const AckCheck& checkAck) {
  std::optional<ReplyOutcome> outcome = TimedSetReplyOutcome(sentFrame, receivedFrame, checkAck);
  if (!outcome) return std::nullopt;
  return std::move(outcome->message);
}

std::optional<TimedSchedule> DecodeTimedRecord(const Bytes& frame) {
  if (FrameDataLength(frame) < kTimedRecordLength) return std::nullopt;
  const std::uint8_t* r = frame.data() + kFrameDataOffset;
  TimedSchedule schedule;
  schedule.group = r[0];
  schedule.arm = TimedTime{r[1], r[2], r[3]};
  schedule.disarm = TimedTime{r[4], r[5], r[6]};
  return schedule;
}

std::optional<TimedSchedule> TimedLookupRecord(const Bytes& sentFrame, const Bytes& receivedFrame) {
  if (sentFrame.size() <= kFrameCmdOffset || sentFrame[kFrameCmdOffset] != kTimedLookupCommand)
    return std::nullopt;
  return DecodeTimedRecord(receivedFrame);
}

std::string TimedTimeText(const TimedTime& time) {
  const bool known = time.day > 0 && time.day < static_cast<int>(TimedDayNames.size());
  if (!known) return std::string(TimedDayNames[0]);
  return std::string(TimedDayNames[time.day]) + "," + TwoDigits(time.hour) + ":" + TwoDigits(time.minute);
}

std::array<std::string, 4> TimedRecordCells(const TimedSchedule& schedule, int rowNumber) {
  return {std::to_string(rowNumber), TwoDigits(schedule.group), TimedTimeText(schedule.arm),
          TimedTimeText(schedule.disarm)};
}

}  // namespace veyra::alarm

#include "hostsim/AlarmState.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "alarm/HistoryCodec.h"
#include "alarm/OperateCodec.h"
#include "alarm/PhoneCodec.h"
#include "alarm/TimedCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using namespace veyra::alarm;

using testing::DefaultAck;
using testing::Hex;

// Every frame the host sends must be one the utility's recogniser accepts.
void ExpectWellFormed(const std::vector<Bytes>& frames) {
  for (const Bytes& frame : frames) {
    ASSERT_GE(frame.size(), kFrameOverhead);
    EXPECT_EQ(frame.front(), kFrameStart);
    EXPECT_EQ(frame.back(), kFrameEnd);
    EXPECT_EQ(frame.size(), frame[1] + kFrameOverhead) << FormatHex(frame);
    const Bytes payload(frame.begin() + 1, frame.end() - 2);
    EXPECT_EQ(frame[frame.size() - 2], Checksum(payload)) << FormatHex(frame);
  }
}

std::vector<PhoneNumber> ReadNumbers(AlarmState& host) {
  std::vector<PhoneNumber> numbers;
  const auto frames = host.Handle(BuildFrame(PhoneReadPayload()));
  ExpectWellFormed(frames);
  for (const Bytes& frame : frames) {
    if (auto number = DecodePhoneFrame(frame)) numbers.push_back(*number);
  }
  return numbers;
}

TEST(AlarmState, HandlesItsCommandsOnly) {
  AlarmState host;
  for (std::uint8_t command : {0x02, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0F, 0x10})
    EXPECT_TRUE(host.Handles(command)) << int(command);
  for (std::uint8_t command : {0x01, 0x03, 0x0E, 0x11, 0x12, 0x32})
    EXPECT_FALSE(host.Handles(command)) << int(command);
  EXPECT_TRUE(host.Handle(Hex("AA 00 03 03 55")).empty());
  EXPECT_TRUE(host.Handle(Hex("AA 00")).empty());
}

TEST(AlarmState, ModeCommandsAcknowledgedAndApplied) {
  const struct {
    const char* name;
    Operation operation;
    AlarmMode mode;
    const char* message;
  } rows[] = {
      {"arm", Operation::Arm, AlarmMode::Armed, "Активировать систему!"},
      {"partial", Operation::Partial, AlarmMode::Partial, "Выборочный режим OK!"},
      {"disarm", Operation::Disarm, AlarmMode::Disarmed, "Дезактивировать систему!"},
  };
  AlarmState host;
  EXPECT_EQ(host.Mode(), AlarmMode::Disarmed);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Bytes sent = BuildFrame(OperatePayload(row.operation));
    const auto replies = host.Handle(sent);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], sent);  // the default table expects the echo
    EXPECT_EQ(host.Mode(), row.mode);
    EXPECT_EQ(OperateReplyMessage(sent, replies[0], DefaultAck)->text, row.message);
  }
}

TEST(AlarmState, TimersReadOneFramePerGroup) {
  AlarmState host;
  const Bytes sent = BuildFrame(TimedLookupPayload());
  const auto frames = host.Handle(sent);
  ExpectWellFormed(frames);
  ASSERT_EQ(frames.size(), 3u);
  for (int group = 1; group <= 3; ++group) {
    const auto schedule = TimedLookupRecord(sent, frames[group - 1]);
    ASSERT_TRUE(schedule);
    EXPECT_EQ(schedule->group, group);
  }
  EXPECT_EQ(TimedRecordCells(*DecodeTimedRecord(frames[2]), 3)[2], "Выключить");
}

TEST(AlarmState, TimerWriteThenRead) {
  AlarmState host;
  TimedSchedule schedule;
  schedule.group = 2;
  schedule.arm = {2, 7, 30};
  schedule.disarm = {1, 19, 0};
  const Bytes sent = BuildFrame(*TimedSetPayload(schedule).payload);
  const auto replies = host.Handle(sent);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(TimedSetReplyMessage(sent, replies[0], DefaultAck)->text, "Setting Successful!");
  EXPECT_EQ(host.Timer(2), (TimerGroup{2, 7, 30, 1, 19, 0}));

  const auto frames = host.Handle(BuildFrame(TimedLookupPayload()));
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(DecodeTimedRecord(frames[1]), schedule);
  const auto cells = TimedRecordCells(*DecodeTimedRecord(frames[1]), 2);
  EXPECT_EQ(cells[2], "Понедельник,07:30");
  EXPECT_EQ(cells[3], "Повседневный,19:00");
}

TEST(AlarmState, TimerWriteTheHostCannotKeepIsNotAcknowledged) {
  const struct {
    const char* name;
    const char* payload;
  } rows[] = {
      {"group_0", "07 08 00 01 07 00 01 13 00"},
      {"group_4", "07 08 04 01 07 00 01 13 00"},
      {"hour_24", "07 08 01 01 18 00 01 13 00"},
      {"minute_60", "07 08 01 01 07 3C 01 13 00"},
      {"day_9", "07 08 01 01 07 00 09 13 00"},
      {"short_record", "06 08 01 01 07 00 01 13"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    AlarmState host;
    const TimerGroup before = host.Timer(1);
    EXPECT_TRUE(host.Handle(BuildFrame(Hex(row.payload))).empty());
    EXPECT_EQ(host.Timer(1), before);
  }
}

TEST(AlarmState, SeededNumbersReadBack) {
  AlarmState host;
  const auto numbers = ReadNumbers(host);
  ASSERT_EQ(numbers.size(), 12u);
  for (int slot = 1; slot <= 12; ++slot) EXPECT_EQ(numbers[slot - 1].slot, slot);
  EXPECT_EQ(numbers[0].text, "13800138000");
  EXPECT_EQ(numbers[1].text, "3G8613912345678");
  EXPECT_EQ(numbers[2].text, "*2101");
  EXPECT_EQ(numbers[3].text, "");
  EXPECT_EQ(numbers[9].text, "13800001111");
}

TEST(AlarmState, NumberWriteThenRead) {
  const struct {
    const char* name;
    int slot;
    const char* typed;
    const char* shown;
  } rows[] = {
      {"fill_empty_slot", 4, "13912345678", "13912345678"},
      {"3g_prefix", 1, "3G1234", "3G1234"},
      {"star", 12, "*21", "*21"},
      {"clear_filled_slot", 2, "", ""},
      {"longest", 10, "012345678901234567890123456789012345678901234567890123456789012",
       "012345678901234567890123456789012345678901234567890123456789012"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    AlarmState host;
    const Bytes sent = BuildFrame(*PhoneWritePayload(row.slot, row.typed).payload);
    const auto replies = host.Handle(sent);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(PhoneWriteAcknowledged(replies[0], DefaultAck));
    const auto numbers = ReadNumbers(host);
    ASSERT_EQ(numbers.size(), 12u);
    EXPECT_EQ(numbers[row.slot - 1].text, row.shown);
  }
}

TEST(AlarmState, NumberWriteTheHostCannotKeepIsNotAcknowledged) {
  const struct {
    const char* name;
    Bytes payload;
  } rows[] = {
      {"slot_0", Hex("02 0D 00 FF")},
      {"slot_13", Hex("02 0D 0D FF")},
      {"no_slot", Hex("00 0D")},
      {"33_packed_bytes", [] {
         Bytes p{34, 0x0D, 0x01};
         p.insert(p.end(), 33, 0x11);
         return p;
       }()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    AlarmState host;
    EXPECT_TRUE(host.Handle(BuildFrame(row.payload)).empty());
    EXPECT_EQ(host.SlotBytes(1), Hex("13 80 01 38 00 0F"));
  }
}

TEST(AlarmState, LogHoldsEverySourceAndEvent) {
  AlarmState host;
  const Bytes sent = BuildFrame(HistoryReadPayload());
  const auto frames = host.Handle(sent);
  ExpectWellFormed(frames);
  ASSERT_GE(frames.size(), 24u);
  EXPECT_EQ(frames.size(), host.LogSize());
  std::set<int> sources, events;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const auto record = HistoryReadRecord(sent, frames[i]);
    ASSERT_TRUE(record);
    sources.insert(record->source);
    events.insert(record->event);
    const LogEntry& entry = host.Log()[i];
    EXPECT_EQ(*record, (HistoryRecord{entry.source, entry.event, entry.zone, entry.month,
                                      entry.day, entry.hour, entry.minute}));
  }
  EXPECT_EQ(sources.size(), 16u);
  EXPECT_EQ(events.size(), 16u);
}

TEST(AlarmState, EraseEmptiesTheLog) {
  AlarmState host;
  const Bytes sent = BuildFrame(HistoryErasePayload());
  const auto replies = host.Handle(sent);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(HistoryEraseReplyMessage(sent, replies[0], DefaultAck)->text, "Удаление завершено!");
  EXPECT_EQ(host.LogSize(), 0u);
  // An empty log is not answered, so the utility shows its no-history message.
  EXPECT_TRUE(host.Handle(BuildFrame(HistoryReadPayload())).empty());
}

TEST(AlarmState, AddedRecordsReadBackInOrder) {
  AlarmState host;
  host.Handle(BuildFrame(HistoryErasePayload()));
  for (int i = 0; i < 25; ++i)
    host.AddLogEntry(LogEntry{static_cast<std::uint8_t>(i % 16), 1, static_cast<std::uint8_t>(i), 3,
                              9, 14, 45});
  const auto frames = host.Handle(BuildFrame(HistoryReadPayload()));
  ASSERT_EQ(frames.size(), 25u);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(DecodeHistoryRecord(frames[i])->zone, i);
  EXPECT_EQ(HistoryRecordCells(*DecodeHistoryRecord(frames[2]), 3)[4], "03/09 14:45");
}

}  // namespace
}  // namespace veyra::hostsim

#include "alarm/TimedCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using testing::DefaultAck;
using testing::Hex;

TimedSchedule Schedule(int group, TimedTime arm, TimedTime disarm) {
  TimedSchedule schedule;
  schedule.group = group;
  schedule.arm = arm;
  schedule.disarm = disarm;
  return schedule;
}

struct SetRow {
  const char* name;
  TimedSchedule schedule;
  const char* payload;  // "" when refused
  const char* refusal;  // "" when sent
};

TEST(TimedCodec, SetPayloadOrRefusal) {
  const SetRow rows[] = {
      {"second_group_monday_0730_daily_1900", Schedule(2, {2, 7, 30}, {1, 19, 0}),
       "07 08 02 02 07 1E 01 13 00", ""},
      {"hours_and_minutes_are_binary_not_bcd", Schedule(3, {8, 23, 59}, {0, 0, 0}),
       "07 08 03 08 17 3B 00 00 00", ""},
      {"first_group_all_off", Schedule(1, {0, 0, 0}, {0, 0, 0}), "07 08 01 00 00 00 00 00 00", ""},
      {"arm_hour_24_refused", Schedule(1, {1, 24, 0}, {1, 19, 0}), "", "Неверное время!"},
      {"arm_minute_60_refused", Schedule(1, {1, 7, 60}, {1, 19, 0}), "", "Неверное время!"},
      {"disarm_hour_99_refused", Schedule(1, {1, 7, 0}, {1, 99, 0}), "", "Неверное время!"},
      {"disarm_minute_99_refused", Schedule(1, {1, 7, 0}, {1, 19, 99}), "", "Неверное время!"},
      {"negative_hour_refused", Schedule(1, {1, -1, 0}, {1, 19, 0}), "", "Неверное время!"},
      {"day_code_9_refused", Schedule(1, {9, 7, 0}, {1, 19, 0}), "", "Неверное время!"},
      {"hour_wrapping_to_valid_byte_refused", Schedule(1, {1, 256 + 7, 0}, {1, 19, 0}), "",
       "Неверное время!"},
      {"no_group_selected", Schedule(0, {1, 7, 0}, {1, 19, 0}), "", "Выберете необходимую группу!"},
      {"group_4_refused", Schedule(4, {1, 7, 0}, {1, 19, 0}), "", "Выберете необходимую группу!"},
  };
  for (const SetRow& row : rows) {
    SCOPED_TRACE(row.name);
    const TimedRequest request = TimedSetPayload(row.schedule);
    if (*row.payload) {
      ASSERT_TRUE(request.payload);
      EXPECT_FALSE(request.refusal);
      EXPECT_EQ(*request.payload, Hex(row.payload));
    } else {
      EXPECT_FALSE(request.payload);
      ASSERT_TRUE(request.refusal);
      EXPECT_EQ(request.refusal->text, row.refusal);
    }
  }
}

TEST(TimedCodec, LookupPayload) { EXPECT_EQ(FormatHex(BuildFrame(TimedLookupPayload())), "AA 00 10 10 55"); }

TEST(TimedCodec, FieldReadLikeAtoi) {
  const struct {
    const char* name;
    const char* text;
    int value;
  } rows[] = {
      {"empty_field_is_zero", "", 0},      {"leading_zero", "07", 7},
      {"trailing_junk_ignored", "7a", 7},  {"leading_blank_skipped", " 5", 5},
      {"non_numeric_is_zero", "ab", 0},    {"two_digits", "99", 99},
      {"huge_does_not_overflow", "99999999999999999999", 1000000},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(TimedFieldValue(row.text), row.value);
  }
}

TEST(TimedCodec, ClockArgument) {
  const struct {
    const char* name;
    const char* text;
    std::optional<std::pair<int, int>> time;
  } rows[] = {
      {"two_and_two", "07:30", std::pair{7, 30}},
      {"one_and_one", "7:5", std::pair{7, 5}},
      {"out_of_range_left_to_the_builder", "25:99", std::pair{25, 99}},
      {"no_colon", "0730", std::nullopt},
      {"empty_minute", "07:", std::nullopt},
      {"empty_hour", ":30", std::nullopt},
      {"three_digit_hour", "123:00", std::nullopt},
      {"letters", "ab:cd", std::nullopt},
      {"sign", "-1:00", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<TimedTime> time = ParseTimedClock(row.text);
    ASSERT_EQ(time.has_value(), row.time.has_value());
    if (time) {
      EXPECT_EQ(time->hour, row.time->first);
      EXPECT_EQ(time->minute, row.time->second);
    }
  }
}

struct RecordRow {
  const char* name;
  const char* frame;
  std::optional<std::array<std::string, 3>> cells;  // group, arm, disarm
};

TEST(TimedCodec, DecodeRecordFrame) {
  const RecordRow rows[] = {
      {"monday_0730_daily_1900", "AA 07 10 01 02 07 1E 01 13 00 5B 55",
       std::array<std::string, 3>{"01", "Понедельник,07:30", "Повседневный,19:00"}},
      {"day_0_hides_the_time", "AA 07 10 03 00 17 3B 08 00 05 00 55",
       std::array<std::string, 3>{"03", "Выключить", "Воскресенье,00:05"}},
      {"day_9_counts_as_off", "AA 07 10 02 09 07 1E FF 13 00 00 55",
       std::array<std::string, 3>{"02", "Выключить", "Выключить"}},
      {"command_byte_not_checked", "AA 07 08 01 02 07 1E 01 13 00 00 55",
       std::array<std::string, 3>{"01", "Понедельник,07:30", "Повседневный,19:00"}},
      {"three_digit_values_shown_whole", "AA 07 10 FF 07 FF 64 01 00 00 00 55",
       std::array<std::string, 3>{"255", "Суббота,255:100", "Повседневный,00:00"}},
      {"longer_record_uses_first_seven", "AA 08 10 01 02 07 1E 01 13 00 77 00 55",
       std::array<std::string, 3>{"01", "Понедельник,07:30", "Повседневный,19:00"}},
      {"acknowledgement_like_frame_skipped", "AA 00 10 10 55", std::nullopt},
      {"six_data_bytes_skipped", "AA 06 10 01 02 07 1E 01 13 5A 55", std::nullopt},
      {"lying_len_not_read_past_end", "AA 07 10 01 02 07 1E 55", std::nullopt},
      {"fragment_skipped", "AA 07", std::nullopt},
      {"empty_frame_skipped", "", std::nullopt},
  };
  for (const RecordRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<TimedSchedule> schedule = DecodeTimedRecord(Hex(row.frame));
    ASSERT_EQ(schedule.has_value(), row.cells.has_value());
    if (!schedule) continue;
    const auto cells = TimedRecordCells(*schedule, 4);
    EXPECT_EQ(cells[0], "4");
    EXPECT_EQ(cells[1], (*row.cells)[0]);
    EXPECT_EQ(cells[2], (*row.cells)[1]);
    EXPECT_EQ(cells[3], (*row.cells)[2]);
  }
}

TEST(TimedCodec, RecordOnlyWhileLookupWasSentLast) {
  const Bytes record = Hex("AA 07 10 01 02 07 1E 01 13 00 5B 55");
  EXPECT_TRUE(TimedLookupRecord(Hex("AA 00 10 10 55"), record));
  EXPECT_FALSE(TimedLookupRecord(Hex("AA 07 08 01 00 00 00 00 00 00 10 55"), record));
  EXPECT_FALSE(TimedLookupRecord(Bytes{}, record));
}

TEST(TimedCodec, SetReplyMessage) {
  const Bytes sent = BuildFrame(*TimedSetPayload(Schedule(2, {2, 7, 30}, {1, 19, 0})).payload);
  const struct {
    const char* name;
    Bytes sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged", sent, "AA 00 08 08 55", "Setting Successful!"},
      {"differing_reply_fails", sent, "AA 00 09 09 55", "Setting failure!"},
      {"other_sent_command_fails", Hex("AA 00 10 10 55"), "AA 00 08 08 55", "Setting failure!"},
      {"nothing_sent_ignored", Bytes{}, "AA 00 08 08 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto message = TimedSetReplyMessage(row.sent, Hex(row.received), DefaultAck);
    ASSERT_EQ(message.has_value(), row.text.has_value());
    if (message) {
      EXPECT_EQ(message->text, *row.text);
    }
  }
}

TEST(TimedCodec, NameTablesAtTheirEdges) {
  ASSERT_EQ(TimedDayNames.size(), 9u);
  EXPECT_EQ(TimedDayNames[0], "Выключить");
  EXPECT_EQ(TimedDayNames[1], "Повседневный");
  EXPECT_EQ(TimedDayNames[8], "Воскресенье");
  EXPECT_EQ(TimedGroupNames[0], "Первая группа");
  EXPECT_EQ(TimedGroupNames[2], "Третья группа");
  EXPECT_EQ(TimedTimeText({8, 0, 0}), "Воскресенье,00:00");
  EXPECT_EQ(TimedTimeText({255, 7, 30}), "Выключить");
  EXPECT_EQ(TimedTimeText({-1, 7, 30}), "Выключить");
}

}  // namespace
}  // namespace veyra::alarm

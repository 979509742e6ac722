#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/alarm/TimedCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using test::DefaultAck;
using test::Hex;

TEST(TimedCodec, SetPayloadOrRefusal) {
  const std::string badTime = "Неверное время!", noGroup = "Выберете необходимую группу!";
  const struct {
    const char* expect;
    TimedSchedule schedule;
    const char* payload;      // "" when refused
    std::string refusal;      // "" when sent
    std::string detail = "";  // beside the refusal: the field and its range
  } rows[] = {
      {"schedule_bytes_in_order", {2, {2, 7, 30}, {1, 19, 0}}, "07 08 02 02 07 1E 01 13 00", ""},
      {"hours_and_minutes_sent_as_binary", {3, {8, 23, 59}, {0, 0, 0}}, "07 08 03 08 17 3B 00 00 00", ""},
      {"arm_hour_24_refused", {1, {1, 24, 0}, {1, 19, 0}}, "", badTime, "Час постановки: от 0 до 23."},
      {"arm_minute_60_refused", {1, {1, 7, 60}, {1, 19, 0}}, "", badTime, "Минута постановки: от 0 до 59."},
      {"disarm_hour_99_refused", {1, {1, 7, 0}, {1, 99, 0}}, "", badTime, "Час снятия: от 0 до 23."},
      {"disarm_minute_75_refused", {1, {1, 7, 0}, {1, 19, 75}}, "", badTime, "Минута снятия: от 0 до 59."},
      {"negative_hour_refused", {1, {1, -1, 0}, {1, 19, 0}}, "", badTime, "Час постановки: от 0 до 23."},
      {"day_code_9_refused", {1, {9, 7, 0}, {1, 19, 0}}, "", badTime, "День постановки: код от 0 до 8."},
      {"no_day_selected_refused", {1, {1, 7, 0}, {-1, 19, 0}}, "", badTime, "День снятия: код от 0 до 8."},
      // clang-format off
      {"hour_wrapping_to_a_valid_byte_refused", {1, {1, 256 + 7, 0}, {1, 19, 0}}, "", badTime,
       "Час постановки: от 0 до 23."},
      {"the_first_bad_field_named", {1, {1, 7, 61}, {9, 25, 0}}, "", badTime,
       "Минута постановки: от 0 до 59."},
      // clang-format on
      {"no_group_selected_refused", {0, {1, 7, 0}, {1, 19, 0}}, "", noGroup},
      {"group_4_refused", {4, {1, 7, 0}, {1, 19, 0}}, "", noGroup},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const TimedRequest request = TimedSetPayload(row.schedule);
    ASSERT_EQ(request.payload.has_value(), *row.payload != '\0');
    ASSERT_EQ(request.refusal.has_value(), !row.refusal.empty());
    EXPECT_EQ(request.payload.value_or(Bytes{}), Hex(row.payload));
    EXPECT_EQ(request.refusal ? request.refusal->text : "", row.refusal);
    EXPECT_EQ(request.refusal ? request.refusal->detail : "", row.detail);
  }
}

// Fields are read like atoi; veyractl's HH:MM arguments strictly.
TEST(TimedCodec, TimesTyped) {
  EXPECT_EQ(TimedFieldValue(""), 0) << "empty_field_not_zero";
  EXPECT_EQ(TimedFieldValue(" 7a"), 7) << "leading_blank_or_trailing_junk_misread";
  EXPECT_EQ(TimedFieldValue("-1"), -1) << "minus_dropped_so_a_negative_time_passes";
  EXPECT_EQ(TimedFieldValue("99999999999999999999"), 1000000) << "huge_overflows";
  // The page's own fields: text other than digits is no time at all, not 0.
  for (const char* text : {"  ", "ab", "7 "}) EXPECT_EQ(TimedFieldInput(text), -1) << text;
  EXPECT_EQ(TimedFieldInput(""), 0) << "empty_field_not_zero";
  EXPECT_EQ(TimedFieldInput("07"), 7);
  const struct {
    const char* text;
    std::optional<TimedTime> time;  // day stays 0
  } rows[] = {
      {"07:30", TimedTime{0, 7, 30}}, {"25:99", TimedTime{0, 25, 99}},  // range is the builder's job
      {"0730", std::nullopt},         {"07:", std::nullopt},
      {"123:00", std::nullopt},       {"-1:00", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseTimedClock(row.text), row.time) << row.text;
}

TEST(TimedCodec, DecodeRecordFrame) {
  const struct {
    const char* expect;
    const char* frame;
    std::optional<std::string> cells;  // group | arm | disarm
  } rows[] = {
      {"record_read_from_its_own_bytes", "AA 07 10 01 02 07 1E 01 13 00 5B 55",
       "01|Понедельник,07:30|Повседневный,19:00"},
      {"day_0_shows_off", "AA 07 10 03 00 17 3B 08 00 05 00 55", "03|Выключить|Воскресенье,00:05"},
      {"day_9_and_255_show_off", "AA 07 10 02 09 07 1E FF 13 00 00 55", "02|Выключить|Выключить"},
      {"three_digit_values_shown_whole", "AA 07 10 FF 07 FF 64 01 00 00 00 55",
       "255|Суббота,255:100|Повседневный,00:00"},
      {"longer_record_read", "AA 08 10 01 02 07 1E 01 13 00 77 00 55",
       "01|Понедельник,07:30|Повседневный,19:00"},
      {"acknowledgement_like_frame_is_no_record", "AA 00 10 10 55", std::nullopt},
      {"six_data_bytes_are_no_record", "AA 06 10 01 02 07 1E 01 13 5A 55", std::nullopt},
      {"lying_len_is_no_record", "AA 07 10 01 02 07 1E 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<TimedSchedule> schedule = DecodeTimedRecord(Hex(row.frame));
    ASSERT_EQ(schedule.has_value(), row.cells.has_value());
    if (!schedule) continue;
    const auto cells = TimedRecordCells(*schedule, 4);
    EXPECT_EQ(cells[0], "4");
    EXPECT_EQ(cells[1] + "|" + cells[2] + "|" + cells[3], *row.cells);
  }
}

TEST(TimedCodec, RecordOnlyWhileLookupWasSentLast) {
  const Bytes record = Hex("AA 07 10 01 02 07 1E 01 13 00 5B 55");
  EXPECT_TRUE(TimedLookupRecord(Hex("AA 00 10 10 55"), record));
  EXPECT_FALSE(TimedLookupRecord(Hex("AA 07 08 01 00 00 00 00 00 00 10 55"), record));
  EXPECT_FALSE(TimedLookupRecord(Bytes{}, record));
}

TEST(TimedCodec, SetReplyMessage) {
  const std::string set = test::FrameLine("07 08 02 02 07 1E 01 13 00");
  const struct {
    const char* expect;
    std::string sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged_set_reported_successful", set, "AA 00 08 08 55", "Setting Successful!"},
      {"differing_reply_reported_as_failure", set, "AA 00 09 09 55", "Setting failure!"},
      {"ack_after_another_command_reported_as_failure", "AA 00 10 10 55", "AA 00 08 08 55",
       "Setting failure!"},
      {"reply_not_judged_with_nothing_sent", "", "AA 00 08 08 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto message = TimedSetReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(message ? std::optional(message->text) : std::nullopt, row.text);
  }
}

// Whoever acts on a reply (a restore, veyractl's exit status) reads the verdict, not the words.
TEST(TimedCodec, SetReplyOutcomeSaysWhetherTheHostAcknowledged) {
  const std::string set = test::FrameLine("07 08 02 02 07 1E 01 13 00");
  const struct {
    const char* expect;
    std::string sent;
    const char* received;
    std::optional<bool> acknowledged;
  } rows[] = {
      {"an acknowledged set is acknowledged", set, "AA 00 08 08 55", true},
      {"a differing reply is not acknowledged", set, "AA 00 09 09 55", false},
      {"an ack after another command is not acknowledged", "AA 00 10 10 55", "AA 00 08 08 55", false},
      {"a reply before anything was sent has no outcome", "", "AA 00 08 08 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<ReplyOutcome> outcome =
        TimedSetReplyOutcome(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(outcome ? std::optional(outcome->acknowledged) : std::nullopt, row.acknowledged);
    const std::optional<Message> message = TimedSetReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(outcome ? std::optional(outcome->message) : std::nullopt, message) << "the same message";
  }
}

}  // namespace
}  // namespace veyra::alarm

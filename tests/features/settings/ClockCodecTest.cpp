#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/settings/ClockCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::settings {
namespace {

using test::DefaultAck;
using test::Hex;

// Weekdays as the system gives them: Sunday 0.
TEST(ClockCodec, FrameAndTextForDatesThatCatchErrors) {
  const struct {
    const char* expect;
    LocalTime time;
    const char* frame;
    const char* text;
  } rows[] = {
      // clang-format off
      {"fields sent as packed digits", {2013, 1, 17, 4, 14, 5, 9}, "AA 08 06 20 13 01 17 14 05 09 04 7F 55",
       "2013-01-17 14:05:09 Четверг"},
      {"Sunday sent as 07 and named Sunday", {2013, 1, 20, 0, 8, 30, 0},
       "AA 08 06 20 13 01 20 08 30 00 07 A1 55", "2013-01-20 08:30:00 Воскресенье"},
      {"midnight padded with zeros", {2014, 1, 1, 3, 0, 0, 0}, "AA 08 06 20 14 01 01 00 00 00 03 47 55",
       "2014-01-01 00:00:00 Среда"},
      {"the century right on New Year's Eve", {1999, 12, 31, 5, 23, 59, 59},
       "AA 08 06 19 99 12 31 23 59 59 05 DE 55", "1999-12-31 23:59:59 Пятница"},
      {"a leap day on a Monday sent as it is", {2016, 2, 29, 1, 12, 0, 0}, "AA 08 06 20 16 02 29 12 00 00 01 82 55",
       "2016-02-29 12:00:00 Понедельник"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(FormatHex(BuildFrame(ClockPayload(row.time))), row.frame);
    EXPECT_EQ(ClockText(row.time), row.text);
  }
}

// veyractl's --at: the weekday is worked out, and only a time that exists is taken.
TEST(ClockCodec, LocalTimeTyped) {
  const struct {
    const char* expect;
    const char* text;
    std::optional<LocalTime> time;
  } rows[] = {
      {"the weekday counted from Sunday 0", "2013-01-17 14:05:09", LocalTime{2013, 1, 17, 4, 14, 5, 9}},
      {"Sunday is 0", "2013-01-20 00:00:00", LocalTime{2013, 1, 20, 0, 0, 0, 0}},
      {"every fourth century is a leap year", "2000-02-29 23:59:59", LocalTime{2000, 2, 29, 2, 23, 59, 59}},
      {"the weekday after a century's missing leap day", "2100-03-01 00:00:00",
       LocalTime{2100, 3, 1, 1, 0, 0, 0}},
      {"29 February of a plain year refused", "2015-02-29 12:00:00", std::nullopt},
      {"29 February of a century refused", "1900-02-29 12:00:00", std::nullopt},
      {"month 13 refused", "2013-13-01 12:00:00", std::nullopt},
      {"hour 24 refused", "2013-01-17 24:00:00", std::nullopt},
      {"one-digit month refused", "2013-1-17 14:05:09", std::nullopt},
      {"trailing text refused", "2013-01-17 14:05:09x", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseLocalTime(row.text), row.time) << row.expect;
}

TEST(ClockCodec, ReplyMessage) {
  const struct {
    const char* expect;
    const char* sent;
    const char* received;
    const char* text;
    AckCheck checkAck = DefaultAck;
  } rows[] = {
      {"acknowledged", "AA 08 06 20 13 01 17 14 05 09 04 7F 55", "AA 00 06 06 55",
       "Время успешно синхронизировано!"},
      {"a refusal reported as failure", "AA 08 06 20 13 01 17 14 05 09 04 7F 55", "AA 00 06 07 55",
       "Ошибка синхронизации времени!"},
      {"a frame before anything was sent reported as failure", "", "AA 00 06 06 55",
       "Ошибка синхронизации времени!"},
      {"an acknowledgement judged by the sent command", "AA 00 23 23 55", "AA 00 06 06 55",
       "Ошибка синхронизации времени!"},
      {"a missing checker counts as failure", "AA 08 06 20 13 01 17 14 05 09 04 7F 55", "AA 00 06 06 55",
       "Ошибка синхронизации времени!", AckCheck{}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ClockReplyMessage(Hex(row.sent), Hex(row.received), row.checkAck), OwnedMessage(row.text))
        << row.expect;
}

}  // namespace
}  // namespace veyra::settings

#include "features/settings/ClockCodec.h"

#include <cstdio>

namespace veyra::settings {

namespace {

// The two lowest decimal digits, first in the high nibble. A field is never negative nor above
// 99 for a real clock, so nothing can spill into the next byte as a longer text would.
std::uint8_t PackedDigits(int value) {
  const int v = value < 0 ? 0 : value % 100;
  return static_cast<std::uint8_t>((v / 10) << 4 | (v % 10));
}

std::size_t WeekdayIndex(int weekday) { return static_cast<std::size_t>(((weekday % 7) + 7) % 7); }

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

// Exactly `width` digits at `pos`, followed by `separator` unless it is '\0' (the end).
std::optional<int> Field(std::string_view text, std::size_t pos, std::size_t width, char separator) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  const std::size_t next = pos + width;
  if (separator == '\0' ? next != text.size() : next >= text.size() || text[next] != separator)
    return std::nullopt;
  return value;
}

}  // namespace

LocalTime LocalTimeFromTm(const std::tm& tm) {
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday,
                   tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

int WeekdayOf(int year, int month, int day) {
  // Days since 1970-01-01 (a Thursday) of the proleptic Gregorian calendar.
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long days = static_cast<long>(era) * 146097 + dayOfEra - 719468;
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
  const auto year = Field(text, 0, 4, '-');
  const auto month = Field(text, 5, 2, '-');
  const auto day = Field(text, 8, 2, ' ');
  const auto hour = Field(text, 11, 2, ':');
  const auto minute = Field(text, 14, 2, ':');
  const auto second = Field(text, 17, 2, '\0');
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
      *minute > 59 || *second > 59)
    return std::nullopt;
  return LocalTime{*year, *month, *day, WeekdayOf(*year, *month, *day), *hour, *minute, *second};
}

Bytes ClockPayload(const LocalTime& time) {
  return {static_cast<std::uint8_t>(kClockDataLength),
          kClockCommand,
          PackedDigits(time.year / 100),
          PackedDigits(time.year % 100),
          PackedDigits(time.month),
          PackedDigits(time.day),
          PackedDigits(time.hour),
          PackedDigits(time.minute),
          PackedDigits(time.second),
          HostWeekdayCodes[WeekdayIndex(time.weekday)]};
}

std::string ClockText(const LocalTime& time) {
  char text[96];
  std::snprintf(text, sizeof text, "%4d-%02d-%02d %02d:%02d:%02d %s", time.year, time.month, time.day,
                time.hour, time.minute, time.second, WeekdayNames[WeekdayIndex(time.weekday)].data());
  return text;
}

Message ClockReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame, const AckCheck& checkAck) {
  const bool acknowledged = sentFrame.size() > kFrameCmdOffset &&
                            sentFrame[kFrameCmdOffset] == kClockCommand && checkAck &&
                            checkAck(CommandKey(kClockCommand), receivedFrame) == 1;
  return OwnedMessage(acknowledged ? kClockSuccessText : kClockFailureText);
}

}  // namespace veyra::settings

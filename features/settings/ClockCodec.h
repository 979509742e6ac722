// Clock synchronisation: the host's clock is set from the PC's local time, carried as packed
// decimal digits with the weekday last.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::settings {

inline constexpr std::uint8_t kClockCommand = 0x06;
inline constexpr std::size_t kClockDataLength = 8;

// Indexed by weekday, Sunday 0 as the C library counts.
inline constexpr std::array<std::string_view, 7> WeekdayNames = {
    QT_TRANSLATE_NOOP("veyra", "Воскресенье"), QT_TRANSLATE_NOOP("veyra", "Понедельник"),
    QT_TRANSLATE_NOOP("veyra", "Вторник"),     QT_TRANSLATE_NOOP("veyra", "Среда"),
    QT_TRANSLATE_NOOP("veyra", "Четверг"),     QT_TRANSLATE_NOOP("veyra", "Пятница"),
    QT_TRANSLATE_NOOP("veyra", "Суббота")};
// The host counts Monday 1 to Sunday 7. Indexed by weekday, Sunday 0.
inline constexpr std::array<std::uint8_t, 7> HostWeekdayCodes = {7, 1, 2, 3, 4, 5, 6};

inline constexpr std::string_view kClockHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kClockFailureText =
    QT_TRANSLATE_NOOP("veyra", "Ошибка синхронизации времени!");
inline constexpr std::string_view kClockSuccessText =
    QT_TRANSLATE_NOOP("veyra", "Время успешно синхронизировано!");

// A local date and time as the system gives it.
struct LocalTime {
  int year = 2000;
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  int weekday = 6;  // Sunday 0 to Saturday 6
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool operator==(const LocalTime&) const = default;
};

LocalTime LocalTimeFromTm(const std::tm& tm);

// Sunday 0 to Saturday 6, for a date of the Gregorian calendar.
int WeekdayOf(int year, int month, int day);

// "YYYY-MM-DD HH:MM:SS", with its weekday worked out; none unless every field has its digits
// and the date exists (29 February only in a leap year).
std::optional<LocalTime> ParseLocalTime(std::string_view text);

// 08 06, then century, year, month, day, hour, minute, second and the host's weekday code, each
// as two packed decimal digits: 2013-01-17 14:05:09, a Thursday, gives 08 06 20 13 01 17 14 05 09 04.
Bytes ClockPayload(const LocalTime& time);

// "2013-01-17 14:05:09 Четверг".
std::string ClockText(const LocalTime& time);

// Success only for an acknowledged 0x06; every other frame, even one before anything was sent,
// is a failure.
Message ClockReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame, const AckCheck& checkAck);

}  // namespace veyra::settings

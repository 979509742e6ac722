// Timed arm/disarm: the seven-byte schedule of one group, its set command and the look-up
// answer of one frame per group.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/ReplyOutcome.h"
#include "link/Translatable.h"

namespace veyra::alarm {

inline constexpr std::uint8_t kTimedSetCommand = 0x08;
inline constexpr std::uint8_t kTimedLookupCommand = 0x10;
inline constexpr std::size_t kTimedRecordLength = 7;

// Indexed by day code 0 to 8; 0 switches the timer off, 1 means every day.
inline constexpr std::array<std::string_view, 9> TimedDayNames = {
    QT_TRANSLATE_NOOP("veyra", "Выключить"),   QT_TRANSLATE_NOOP("veyra", "Повседневный"),
    QT_TRANSLATE_NOOP("veyra", "Понедельник"), QT_TRANSLATE_NOOP("veyra", "Вторник"),
    QT_TRANSLATE_NOOP("veyra", "Среда"),       QT_TRANSLATE_NOOP("veyra", "Четверг"),
    QT_TRANSLATE_NOOP("veyra", "Пятница"),     QT_TRANSLATE_NOOP("veyra", "Суббота"),
    QT_TRANSLATE_NOOP("veyra", "Воскресенье")};

// Indexed by group number - 1.
inline constexpr std::array<std::string_view, 3> TimedGroupNames = {
    QT_TRANSLATE_NOOP("veyra", "Первая группа"), QT_TRANSLATE_NOOP("veyra", "Вторая группа"),
    QT_TRANSLATE_NOOP("veyra", "Третья группа")};

inline constexpr std::array<std::string_view, 4> TimedColumnTitles = {
    QT_TRANSLATE_NOOP("veyra", "No."), QT_TRANSLATE_NOOP("veyra", "Группа No."),
    QT_TRANSLATE_NOOP("veyra", "Постановка"), QT_TRANSLATE_NOOP("veyra", "Снятие")};

inline constexpr std::string_view kTimedHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kTimedNoGroupText =
    QT_TRANSLATE_NOOP("veyra", "Выберете необходимую группу!");
inline constexpr std::string_view kTimedBadTimeText = QT_TRANSLATE_NOOP("veyra", "Неверное время!");
// Beside kTimedBadTimeText: the first field out of range and what it takes, in the order of the
// record (arm day, hour, minute, disarm day, hour, minute).
inline constexpr std::array<std::string_view, 6> TimedRangeDetails = {
    QT_TRANSLATE_NOOP("veyra", "День постановки: код от 0 до 8."),
    QT_TRANSLATE_NOOP("veyra", "Час постановки: от 0 до 23."),
    QT_TRANSLATE_NOOP("veyra", "Минута постановки: от 0 до 59."),
    QT_TRANSLATE_NOOP("veyra", "День снятия: код от 0 до 8."),
    QT_TRANSLATE_NOOP("veyra", "Час снятия: от 0 до 23."),
    QT_TRANSLATE_NOOP("veyra", "Минута снятия: от 0 до 59.")};
inline constexpr std::string_view kTimedSetFailureText =
    QT_TRANSLATE_NOOP("veyra", "Setting failure!");  // no reply, or refused
inline constexpr std::string_view kTimedSetSuccessText = QT_TRANSLATE_NOOP("veyra", "Setting Successful!");
inline constexpr std::string_view kTimedLookupNoReplyText = QT_TRANSLATE_NOOP("veyra", "Сбой!");

struct TimedTime {
  int day = 0;  // day code 0 to 8
  int hour = 0;
  int minute = 0;

  bool operator==(const TimedTime&) const = default;
};

// The record of the set command and of each look-up frame: group, arm time, disarm time.
struct TimedSchedule {
  int group = 1;  // 1 to 3
  TimedTime arm;
  TimedTime disarm;

  bool operator==(const TimedSchedule&) const = default;
};

// Either a payload to send or the message that explains why nothing is sent.
struct TimedRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// An hour or minute field read the way atoi reads it: an empty or non-numeric text gives 0.
int TimedFieldValue(std::string_view text);

// An hour or minute field as the setting page sends it: TimedFieldValue of a text of digits only
// (empty included, which gives 0); -1 for any other text, which TimedSetPayload refuses. The
// fields take digits only, so other text was put there behind their validator, and reading it as
// 0 would set the timer to midnight.
int TimedFieldInput(std::string_view text);

// "H:MM" or "HH:MM" as a command line gives it; none unless it is one or two digits, a colon
// and one or two digits. Ranges are judged by TimedSetPayload.
std::optional<TimedTime> ParseTimedClock(std::string_view text);

// 07 08 and the seven record bytes. Refused with kTimedNoGroupText for a group outside 1 to 3,
// and with kTimedBadTimeText for a day code outside 0 to 8, an hour above 23 or a minute
// above 59 (negative values included): the host would store a time that never comes. The
// refusal's detail names the first such field (TimedRangeDetails).
TimedRequest TimedSetPayload(const TimedSchedule& schedule);

// 07 08 and the seven record bytes as they are, for a schedule a host itself holds and is given
// back: no rule of days, hours or minutes (a host keeps a switched-off timer as 00 FF FF), only a
// group of 1 to 3 and fields that fit a byte; none for anything else. What a person types goes
// through TimedSetPayload.
std::optional<Bytes> TimedRecordPayload(const TimedSchedule& schedule);

// 00 10.
Bytes TimedLookupPayload();

// What a reply to the setting page comes to: acknowledged, with the success message, only for an
// acknowledged 0x08; the failure message for anything else. None before the page has sent anything.
std::optional<ReplyOutcome> TimedSetReplyOutcome(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                 const AckCheck& checkAck);

// Just the message of TimedSetReplyOutcome, for the page to show.
std::optional<Message> TimedSetReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                            const AckCheck& checkAck);

// The schedule a frame carries in its bytes 3 to 9, whatever its command byte. None for a frame
// holding fewer than seven data bytes (by LEN or by its real length).
std::optional<TimedSchedule> DecodeTimedRecord(const Bytes& frame);

// The look-up page's view of a reply: a record only while the last command sent was 0x10.
std::optional<TimedSchedule> TimedLookupRecord(const Bytes& sentFrame, const Bytes& receivedFrame);

// "Понедельник,07:30"; just the day text for code 0, and for codes above 8, which count as 0.
std::string TimedTimeText(const TimedTime& time);

// The cells of one table row: row number, group ("%0.2d"), arm time, disarm time.
std::array<std::string, 4> TimedRecordCells(const TimedSchedule& schedule, int rowNumber);

}  // namespace veyra::alarm

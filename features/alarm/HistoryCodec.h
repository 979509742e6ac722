// Alarm history: the read command answered by one frame per record, and the erase command.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"

namespace veyra::alarm {

inline constexpr std::uint8_t kHistoryReadCommand = 0x02;
inline constexpr std::uint8_t kHistoryEraseCommand = 0x0F;
inline constexpr std::size_t kHistoryRecordLength = 6;  // data bytes of a record frame

// Indexed by the high nibble of the source/event byte; codes 14 and 15 have no name.
inline constexpr std::array<std::string_view, 14> HistorySourceNames = {
    "База",        "Пульт",       "Датчик движения",  "Дверной датчик",          "Датчик дыма",
    "Датчик газа", "SMS",         "Проводной датчик", "Приближается посетитель", "Неназначено",
    "Активный ИК", "Датчик воды", "Тепловой датчик",  "Беспроводная клавиатура"};

// Indexed by the low nibble of the source/event byte; 7, 8 and 9 read the same.
inline constexpr std::array<std::string_view, 16> HistoryEventNames = {"Постановка на охрану",
                                                                       "Тревога",
                                                                       "Снятие с охраны",
                                                                       "Выборочный",
                                                                       "SOS",
                                                                       "Постановка на охрану с телефона",
                                                                       "Снятие с охраны с телефона",
                                                                       "Питание восстановлено",
                                                                       "Питание восстановлено",
                                                                       "Питание восстановлено",
                                                                       "Neighbour Alarm",
                                                                       "Линия повреждена",
                                                                       "Линия восстановлена",
                                                                       "Таймер постановки на охрану",
                                                                       "Таймер снятия с охраны",
                                                                       "Сбой проверки"};

inline constexpr std::array<std::string_view, 5> HistoryColumnTitles = {"No.", "Название", "Событие", "Зона",
                                                                        "Время"};

inline constexpr std::string_view kHistoryHostNotFoundText = "3G камера не найдена!!";
inline constexpr std::string_view kHistoryReadNoReplyText = "Нет истории!";
inline constexpr std::string_view kHistoryEraseFailureText = "Сбой очистки истории!";  // no reply, or refused
inline constexpr std::string_view kHistoryEraseDoneText = "Удаление завершено!";

struct HistoryRecord {
  int source = 0;  // 0 to 15
  int event = 0;   // 0 to 15
  int zone = 0;    // 0 to 255
  int month = 0;   // 0 to 15
  int day = 0;     // 0 to 127
  int hour = 0;    // 0 to 31
  int minute = 0;  // 0 to 255

  bool operator==(const HistoryRecord&) const = default;
};

// 00 02.
Bytes HistoryReadPayload();
// 00 0F.
Bytes HistoryErasePayload();

// The record a frame carries in bytes 4 to 8, whatever its command byte; byte 3 is not used.
// None for a frame holding fewer than six data bytes (by LEN or by its real length), such as
// an acknowledgement-like AA 00 02 02 55.
std::optional<HistoryRecord> DecodeHistoryRecord(const Bytes& frame);

// The dialog's view of a reply: a record only while the last command sent was 0x02.
std::optional<HistoryRecord> HistoryReadRecord(const Bytes& sentFrame, const Bytes& receivedFrame);

// The source's name; codes without one (14, 15) show their number.
std::string HistorySourceText(int source);
// The event's name; empty outside 0 to 15.
std::string HistoryEventText(int event);

// The cells of one table row: row number, source, event, zone ("%0.2d"),
// time ("%0.2d/%0.2d %0.2d:%0.2d" with month, day, hour, minute).
std::array<std::string, 5> HistoryRecordCells(const HistoryRecord& record, int rowNumber);

// The message a reply earns while the last command sent was the erase: done when it is the
// acknowledgement, the failure text otherwise. None for any other sent command.
std::optional<Message> HistoryEraseReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                const AckCheck& checkAck);

}  // namespace veyra::alarm

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
#include "link/Translatable.h"

namespace veyra::alarm {

inline constexpr std::uint8_t kHistoryReadCommand = 0x02;
inline constexpr std::uint8_t kHistoryEraseCommand = 0x0F;
inline constexpr std::size_t kHistoryRecordLength = 6;  // data bytes of a record frame

// Indexed by the high nibble of the source/event byte; codes 14 and 15 have no name.
inline constexpr std::array<std::string_view, 14> HistorySourceNames = {
    QT_TRANSLATE_NOOP("veyra", "База"),
    QT_TRANSLATE_NOOP("veyra", "Пульт"),
    QT_TRANSLATE_NOOP("veyra", "Датчик движения"),
    QT_TRANSLATE_NOOP("veyra", "Дверной датчик"),
    QT_TRANSLATE_NOOP("veyra", "Датчик дыма"),
    QT_TRANSLATE_NOOP("veyra", "Датчик газа"),
    QT_TRANSLATE_NOOP("veyra", "SMS"),
    QT_TRANSLATE_NOOP("veyra", "Проводной датчик"),
    QT_TRANSLATE_NOOP("veyra", "Приближается посетитель"),
    QT_TRANSLATE_NOOP("veyra", "Неназначено"),
    QT_TRANSLATE_NOOP("veyra", "Активный ИК"),
    QT_TRANSLATE_NOOP("veyra", "Датчик воды"),
    QT_TRANSLATE_NOOP("veyra", "Тепловой датчик"),
    QT_TRANSLATE_NOOP("veyra", "Беспроводная клавиатура")};

// Indexed by the low nibble of the source/event byte; 7, 8 and 9 read the same.
inline constexpr std::array<std::string_view, 16> HistoryEventNames = {
    QT_TRANSLATE_NOOP("veyra", "Постановка на охрану"),
    QT_TRANSLATE_NOOP("veyra", "Тревога"),
    QT_TRANSLATE_NOOP("veyra", "Снятие с охраны"),
    QT_TRANSLATE_NOOP("veyra", "Выборочный"),
    QT_TRANSLATE_NOOP("veyra", "SOS"),
    QT_TRANSLATE_NOOP("veyra", "Постановка на охрану с телефона"),
    QT_TRANSLATE_NOOP("veyra", "Снятие с охраны с телефона"),
    QT_TRANSLATE_NOOP("veyra", "Питание восстановлено"),
    QT_TRANSLATE_NOOP("veyra", "Питание восстановлено"),
    QT_TRANSLATE_NOOP("veyra", "Питание восстановлено"),
    QT_TRANSLATE_NOOP("veyra", "Neighbour Alarm"),
    QT_TRANSLATE_NOOP("veyra", "Линия повреждена"),
    QT_TRANSLATE_NOOP("veyra", "Линия восстановлена"),
    QT_TRANSLATE_NOOP("veyra", "Таймер постановки на охрану"),
    QT_TRANSLATE_NOOP("veyra", "Таймер снятия с охраны"),
    QT_TRANSLATE_NOOP("veyra", "Сбой проверки")};

inline constexpr std::array<std::string_view, 5> HistoryColumnTitles = {
    QT_TRANSLATE_NOOP("veyra", "No."), QT_TRANSLATE_NOOP("veyra", "Название"),
    QT_TRANSLATE_NOOP("veyra", "Событие"), QT_TRANSLATE_NOOP("veyra", "Зона"),
    QT_TRANSLATE_NOOP("veyra", "Время")};

inline constexpr std::string_view kHistoryHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kHistoryReadNoReplyText = QT_TRANSLATE_NOOP("veyra", "Нет истории!");
inline constexpr std::string_view kHistoryEraseFailureText =
    QT_TRANSLATE_NOOP("veyra", "Сбой очистки истории!");  // no reply, or refused
inline constexpr std::string_view kHistoryEraseDoneText = QT_TRANSLATE_NOOP("veyra", "Удаление завершено!");
// Asked before the erase: the PC keeps no copy of the log, so what goes is gone.
inline constexpr std::string_view kHistoryEraseQuestionText =
    QT_TRANSLATE_NOOP("veyra", "Удалить всю историю тревог на хосте? Это нельзя отменить.");

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

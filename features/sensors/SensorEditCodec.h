// Enrolling and removing wireless devices: learn a device code, delete one device or every device
// of a kind, set the wireless siren's ID. Each is one command; only the learn reply is judged.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "features/sensors/SensorListCodec.h"
#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::sensors {

inline constexpr std::uint8_t kLearnCommand = 0x11;
inline constexpr std::uint8_t kDeleteOneCommand = 0x15;
inline constexpr std::uint8_t kDeleteAllSensorsCommand = 0x16;
inline constexpr std::uint8_t kDeleteAllRemotesCommand = 0x17;
inline constexpr std::uint8_t kDeleteAllDoorbellsCommand = 0x18;
inline constexpr std::uint8_t kSirenIdCommand = 0x19;

// The learn-type list: position p sends SensorType p + 1. The second and fourth entries read the
// same and send 2 and 4.
inline constexpr std::array<std::string_view, 10> LearnTypeTexts = {
    QT_TRANSLATE_NOOP("veyra", "Пульт ДУ"),
    QT_TRANSLATE_NOOP("veyra", "Датчик движения"),
    QT_TRANSLATE_NOOP("veyra", "Дверной датчик"),
    QT_TRANSLATE_NOOP("veyra", "Датчик движения"),
    QT_TRANSLATE_NOOP("veyra", "Датчик газа"),
    QT_TRANSLATE_NOOP("veyra", "Датчик дыма"),
    QT_TRANSLATE_NOOP("veyra", "Датчик воды"),
    QT_TRANSLATE_NOOP("veyra", "Тепловой датчик"),
    QT_TRANSLATE_NOOP("veyra", "Беспроводной звонок"),
    QT_TRANSLATE_NOOP("veyra", "Беспроводная клавиатура")};

// The learn-mode list: position p sends ZoneMode p + 1, named as in the list's mode column.
inline constexpr std::array<std::string_view, 6> LearnModeTexts = {ZoneModeNames[1], ZoneModeNames[2],
                                                                   ZoneModeNames[3], ZoneModeNames[4],
                                                                   ZoneModeNames[5], ZoneModeNames[6]};

// The device-kind list of a single deletion: position k is sent as K.
inline constexpr std::array<std::string_view, 2> DeleteKindTexts = {
    QT_TRANSLATE_NOOP("veyra", "Пульт"), QT_TRANSLATE_NOOP("veyra", "Беспроводная датчик")};

// The zone and device-number fields take at most this many digits, the siren ID exactly this many.
inline constexpr int kZoneFieldMaxDigits = 2;
inline constexpr int kNumberFieldMaxDigits = 2;
inline constexpr int kSirenIdDigits = 8;

inline constexpr std::string_view kEditHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kZoneMissingText = QT_TRANSLATE_NOOP("veyra", "Введите зону!!");
inline constexpr std::string_view kNumberMissingText = QT_TRANSLATE_NOOP("veyra", "Введите NO. датчика!!");
inline constexpr std::string_view kSirenIdMissingText = QT_TRANSLATE_NOOP("veyra", "Укажите ID сирены!!");
inline constexpr std::string_view kInputFormatText = QT_TRANSLATE_NOOP("veyra", "Ошибка формата ввода!!");
inline constexpr std::string_view kEditNoReplyText = QT_TRANSLATE_NOOP("veyra", "Ошибка передачи данных!");
inline constexpr std::string_view kDeleteAllSensorsNoReplyText =
    QT_TRANSLATE_NOOP("veyra", "Data sending error!");
inline constexpr std::string_view kLearnTriggerText =
    QT_TRANSLATE_NOOP("veyra", "Пожалуйста, триггерный датчик для записи в течение 30-х годов!");

// How long the host listens for the device after it acknowledged a learn command, as its
// trigger request says.
inline constexpr int kLearnListenSeconds = 30;

// The quiet answers of the page's commands, for replies its messages say nothing about.
inline constexpr std::string_view kDeletedStatusText = QT_TRANSLATE_NOOP("veyra", "Удалено");
inline constexpr std::string_view kSirenIdSetStatusText = QT_TRANSLATE_NOOP("veyra", "ID сирены записан");
inline constexpr std::string_view kNotConfirmedStatusText =
    QT_TRANSLATE_NOOP("veyra", "Хост ответил, но не подтвердил команду");

enum class DeleteAllKind { Sensors, Remotes, Doorbells };

// Either a payload to send or the message that explains why nothing is sent.
struct SensorRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// A digit field as the page reads it: none when its first line is empty, else that line as atoi
// reads it (leading blanks, a sign, the leading digits; saturated far beyond any field's range).
std::optional<int> FieldNumber(std::string_view text);

// A zone 0 to 99 as two packed decimal digits: 15 as 0x15, 7 as 0x07.
std::uint8_t ZoneByte(int zone);

// 02 11 TM Z. Refused with kZoneMissingText for an empty or blank zone field, with
// kInputFormatText for one holding anything but digits. Positions outside the lists
// and a zone outside 0 to 99 (which no field of the page can hold) are refused with
// kInputFormatText rather than packed into a type, mode or zone the host never had.
SensorRequest LearnRequest(int typePosition, int modePosition, std::string_view zoneField);

// 02 15 K N, N the typed number less one (0 stays 0). Refused with kNumberMissingText for an empty
// or blank number field, with kInputFormatText for one holding anything but digits, for a kind
// outside the list or a number outside 0 to 99.
SensorRequest DeleteOneRequest(int kindPosition, std::string_view numberField);

// 00 16, 00 17, 00 18.
Bytes DeleteAllPayload(DeleteAllKind kind);
std::uint8_t DeleteAllCommand(DeleteAllKind kind);

// Asked before any of them goes out: one stray click would otherwise wipe every device of a kind,
// and each would have to be learnt again at its place in the house.
std::string_view DeleteAllQuestion(DeleteAllKind kind);

// 04 19 and the eight digits packed two per byte. Refused with kSirenIdMissingText for an empty
// field, with kInputFormatText for fewer or more than eight characters or any that is not a
// digit 0, 1 or 2.
SensorRequest SirenIdRequest(std::string_view idField);

// What the page shows when one of its payloads (LEN, CMD, data) got no reply: "Data sending
// error!" for deleting all sensors, "Ошибка передачи данных!" for the others.
std::string_view EditNoReplyText(const Bytes& payload);

// The message a reply earns, judged by the command sent last: the trigger request for an
// acknowledged learn command, nothing for anything else.
std::optional<Message> EditReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                        const AckCheck& checkAck);

// What the status line says of a reply, judged by the command sent last: a deletion or the siren
// ID whose reply equals its acknowledgement frame (keys "15" to "19") is done; any other reply to
// them, or a learn reply that is not the acknowledgement, was not confirmed. None for an
// acknowledged learn (its trigger request speaks) and for anything else.
std::optional<std::string_view> EditReplyStatus(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                const AckCheck& checkAck);

}  // namespace veyra::sensors

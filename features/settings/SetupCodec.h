// The host's setup record: six bytes read with 0x03 (followed by the signal byte) and written
// back with 0x04; and the two maintenance commands of the same page, reset and format.
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

namespace veyra::settings {

inline constexpr std::uint8_t kSetupReadCommand = 0x03;
inline constexpr std::uint8_t kSetupWriteCommand = 0x04;
inline constexpr std::uint8_t kResetCommand = 0x23;
inline constexpr std::uint8_t kFormatCommand = 0x25;
inline constexpr std::size_t kSetupRecordLength = 6;
inline constexpr std::size_t kSetupReplyLength = kSetupRecordLength + 1;  // and the signal byte

// Byte 0 of the record; a set bit is the option on.
enum SetupFlags : std::uint8_t {
  kIncomingCallPassword = 0x01,
  kSirenSound = 0x02,
  kPowerFailureAlarm = 0x04,
  kArmDisarmSms = 0x08,
  kRecordWhenArmed = 0x10,
  kNetworkAutomatic = 0x20,  // not a check box: the network list
  kMirrorImage = 0x40,
  kRecordOnAlarm = 0x80,
};

struct SetupOption {
  SetupFlags mask;
  std::string_view label;
  std::string_view name;  // the option's name in a backup file and on veyractl's command line
};

// The check boxes, in the order the page lays them out.
inline constexpr std::array<SetupOption, 7> SetupOptions = {{
    {kIncomingCallPassword, QT_TRANSLATE_NOOP("veyra", "Защита входящего вызова паролем"),
     "incoming_password"},
    {kSirenSound, QT_TRANSLATE_NOOP("veyra", "Звуковое сопровождение сирены"), "siren_sound"},
    {kPowerFailureAlarm, QT_TRANSLATE_NOOP("veyra", "Тревога при отключении электричества"), "power_alarm"},
    {kArmDisarmSms, QT_TRANSLATE_NOOP("veyra", "SMS при постановке/снятии"), "sms_arm"},
    {kRecordWhenArmed, QT_TRANSLATE_NOOP("veyra", "Запись при постановке"), "record_armed"},
    {kMirrorImage, QT_TRANSLATE_NOOP("veyra", "Отразить изображение"), "mirror"},
    {kRecordOnAlarm, QT_TRANSLATE_NOOP("veyra", "Запись видео/фото при тревоге"), "record_alarm"},
}};

// Indexed by the record's byte 5.
inline constexpr std::array<std::string_view, 3> MmsSizeTexts = {"176*144", "320*240", "640*480"};

enum class NetworkMode { Automatic = 0, Only3G = 1 };
// Indexed by NetworkMode.
inline constexpr std::array<std::string_view, 2> NetworkModeTexts = {
    QT_TRANSLATE_NOOP("veyra", "Автоматически"), QT_TRANSLATE_NOOP("veyra", "Только 3G (WCDMA)")};
// Indexed by NetworkMode: the network field's values in a backup file and on veyractl's command line.
inline constexpr std::array<std::string_view, 2> NetworkModeNames = {"auto", "3g"};
inline constexpr std::string_view kNetworkFieldName = "network";
inline constexpr std::string_view kMmsSizeFieldName = "mms_size";

// The edits of the delays take digits only and at most this many of them; nothing checks a range.
inline constexpr int kDelayFieldMaxDigits = 2;

inline constexpr std::string_view kSettingsHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kSetupReadNoReplyText =
    QT_TRANSLATE_NOOP("veyra", "Сбой получения настроек!");
inline constexpr std::string_view kSetupWriteNoReplyText =
    QT_TRANSLATE_NOOP("veyra", "Setting configure failed!");
inline constexpr std::string_view kSetupWriteAcceptedText =
    QT_TRANSLATE_NOOP("veyra", "Настройки конфигурации приняты!");
inline constexpr std::string_view kSetupWriteRefusedText =
    QT_TRANSLATE_NOOP("veyra", "Настройки конфигурации не верны!");
inline constexpr std::string_view kResetNoReplyText = QT_TRANSLATE_NOOP("veyra", "Getting configure failed!");
inline constexpr std::string_view kResetDoneText = QT_TRANSLATE_NOOP("veyra", "Сброс выполнен!");
inline constexpr std::string_view kResetFailedText = QT_TRANSLATE_NOOP("veyra", "Ошибка сброса!");
inline constexpr std::string_view kFormatNoReplyText = QT_TRANSLATE_NOOP("veyra", "Сбой получения настроек!");
inline constexpr std::string_view kFormatDoneText =
    QT_TRANSLATE_NOOP("veyra", "Форматирование успешно завершено!");
inline constexpr std::string_view kFormatFailedText = QT_TRANSLATE_NOOP("veyra", "Неверная команда!");

// Asked before either command goes out: a format erases the card's recordings, and one stray
// click must not do that.
inline constexpr std::string_view kResetConfirmText =
    QT_TRANSLATE_NOOP("veyra", "Выполнить сброс 3G камеры?");
inline constexpr std::string_view kFormatConfirmText =
    QT_TRANSLATE_NOOP("veyra", "Форматировать microSD карту? Все записи на карте будут удалены.");

struct SetupRecord {
  std::uint8_t flags = 0;  // SetupFlags
  std::uint8_t sirenMinutes = 0;
  std::uint8_t redialCount = 0;
  std::uint8_t armDelay = 0;    // seconds
  std::uint8_t alarmDelay = 0;  // seconds
  std::uint8_t mmsSize = 0;     // index into MmsSizeTexts, or a value this program has no text for

  bool operator==(const SetupRecord&) const = default;
};

// What a get-setup reply carries.
struct SetupReply {
  SetupRecord record;
  std::uint8_t signal = 0;

  bool operator==(const SetupReply&) const = default;
};

// The page's controls as typed values: what a read fills in and what a save is built from.
struct SetupControls {
  std::uint8_t checked = 0;                         // masks of the fully checked boxes
  std::optional<NetworkMode> network;               // none: no selection
  std::string siren, redial, armDelay, alarmDelay;  // the edits' texts
  std::optional<int> mmsSize;                       // the list's selection
  // The size byte of the last read when the list has no text for it: written back unchanged,
  // so a setting of a newer host survives a save.
  std::optional<std::uint8_t> unlistedMmsSize;

  bool operator==(const SetupControls&) const = default;
};

// The record's four numbers by name, with the page's edit of each. A backup file writes the long
// name, which says the unit; veyractl prints and takes the short one, as a person types it; a
// backup file takes either.
struct SetupNumberField {
  std::uint8_t SetupRecord::*byte;
  std::string SetupControls::*edit;
  std::string_view name;       // "siren_minutes"
  std::string_view shortName;  // "siren"
};
inline constexpr std::array<SetupNumberField, 4> SetupNumberFields = {{
    {&SetupRecord::sirenMinutes, &SetupControls::siren, "siren_minutes", "siren"},
    {&SetupRecord::redialCount, &SetupControls::redial, "redial_count", "redial"},
    {&SetupRecord::armDelay, &SetupControls::armDelay, "arm_delay_s", "arm_delay"},
    {&SetupRecord::alarmDelay, &SetupControls::alarmDelay, "alarm_delay_s", "alarm_delay"},
}};

// The number field a name gives, long or short; none for any other name.
const SetupNumberField* FindSetupNumberField(std::string_view name);

// The option a name gives; none for any other name.
const SetupOption* FindSetupOption(std::string_view name);

// 00 03.
Bytes SetupReadPayload();

// 06 04 and the six record bytes.
Bytes SetupWritePayload(const SetupRecord& record);

// 00 23 and 00 25.
Bytes ResetPayload();
Bytes FormatPayload();

// Bytes 3 to 9 of a frame, whatever its command byte. None for a frame holding fewer than seven
// data bytes (by LEN or by its real length).
std::optional<SetupReply> DecodeSetupReply(const Bytes& frame);

// The page's view of a reply: a record only while the last command sent was 0x03.
std::optional<SetupReply> SetupReadReply(const Bytes& sentFrame, const Bytes& receivedFrame);

// "%x (3G WCDMA)" of the low seven bits when bit 7 is set, else "%x (2G GSM)" of the whole byte.
std::string SignalText(std::uint8_t signal);

// The level read on the 0 to 31 scale a mobile modem reports its signal in, 99 being a signal it
// could not measure; the same scale serves the 3G level in the low seven bits and the 2G byte.
inline constexpr int kSignalScaleTop = 31;
inline constexpr int kSignalNotMeasured = 99;
struct SignalReading {
  std::string_view words;  // the level in words, a text to translate
  int level = 0;           // the level on the scale, in decimal
  bool onScale = false;    // 0 to kSignalScaleTop: worth saying "of 31"
};
SignalReading ReadSignal(std::uint8_t signal);

inline constexpr std::string_view kSignalWeakText = QT_TRANSLATE_NOOP("veyra", "Слабый");
inline constexpr std::string_view kSignalFairText = QT_TRANSLATE_NOOP("veyra", "Средний");
inline constexpr std::string_view kSignalGoodText = QT_TRANSLATE_NOOP("veyra", "Хороший");
inline constexpr std::string_view kSignalExcellentText = QT_TRANSLATE_NOOP("veyra", "Отличный");
inline constexpr std::string_view kSignalNotMeasuredText = QT_TRANSLATE_NOOP("veyra", "Не измерен");
inline constexpr std::string_view kSignalOffScaleText = QT_TRANSLATE_NOOP("veyra", "Вне шкалы");

NetworkMode NetworkModeOf(std::uint8_t flags);

// The list selection a size byte gives; none for a byte the list has no text for.
std::optional<int> MmsSizeSelection(std::uint8_t mmsSize);

// The list text of a size byte; empty when there is none.
std::string_view MmsSizeText(std::uint8_t mmsSize);

// An edit's text as it is sent: its leading decimal digits (0 when there are none), modulo 256.
std::uint8_t SetupFieldByte(std::string_view text);

// What a read puts into the controls: each box by its bit, the network list by bit 5, the four
// numbers in decimal, the size list selected only when it has a text for the byte.
SetupControls SetupControlsFromRecord(const SetupRecord& record);

// What a save sends: the checked boxes' masks (bit 5 never comes from them), plus bit 5 unless
// "Только 3G (WCDMA)" is selected; the edits by SetupFieldByte; the size selection, else the
// unlisted byte last read, else 0xFF.
SetupRecord SetupRecordFromControls(const SetupControls& controls);

// What a reply to a write, reset or format comes to, judged by the command sent last: whether
// it was acknowledged, and the message that earns. None for a get-setup reply (it fills the
// controls instead), for another command, and before anything was sent.
std::optional<ReplyOutcome> SetupReplyOutcome(const Bytes& sentFrame, const Bytes& receivedFrame,
                                              const AckCheck& checkAck);

// Just the message of SetupReplyOutcome, for the page to show.
std::optional<Message> SetupReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                         const AckCheck& checkAck);

}  // namespace veyra::settings

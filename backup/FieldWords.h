// A field of a backup in the words of the window where an installer sets it: "Первая группа:
// Постановка" for timers.group1_arm, "Тел. номер 2" for phones.voice2; and its value as those
// windows show it. The file keeps its own keys, which scripts read; people read these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/Translatable.h"

namespace veyra::backup {

// One piece of a text a window shows: a text to translate, or one to show as it is (a number,
// a time, a telephone number).
struct WordPiece {
  std::string text;
  bool translate = false;

  bool operator==(const WordPiece&) const = default;
};
using Words = std::vector<WordPiece>;  // shown one after the other

inline constexpr std::string_view kFieldPartSeparator = ": ";

// What the window shows for a value the file leaves empty.
inline constexpr std::string_view kEmptyValueText = "—";

struct FieldWording {
  std::string_view area;  // the area in words, a text to translate; empty for an unknown field
  Words field;            // the field in words; the key itself for a field without words
};

// "setup.siren_minutes" as a FieldDifference names it.
FieldWording WordsOfField(std::string_view field);

// The value of that field as the file writes it, in words: "on" as "Вкл.", "daily,08:30" as
// "Повседневный 08:30"; a number or a telephone number as it is.
Words WordsOfValue(std::string_view field, std::string_view value);

inline constexpr std::string_view kSetupAreaText = QT_TRANSLATE_NOOP("veyra", "Настройки системы");
inline constexpr std::string_view kTimersAreaText = QT_TRANSLATE_NOOP("veyra", "Расписания");
inline constexpr std::string_view kPhonesAreaText = QT_TRANSLATE_NOOP("veyra", "Телефонные номера");
inline constexpr std::string_view kDevicesAreaText = QT_TRANSLATE_NOOP("veyra", "Датчики");
inline constexpr std::string_view kSirenMinutesText =
    QT_TRANSLATE_NOOP("veyra", "Длительность сирены, минут");
inline constexpr std::string_view kRedialCountText = QT_TRANSLATE_NOOP("veyra", "Количество повторов набора");
inline constexpr std::string_view kArmDelayText = QT_TRANSLATE_NOOP("veyra", "Задержка постановки, секунд");
inline constexpr std::string_view kAlarmDelayText = QT_TRANSLATE_NOOP("veyra", "Задержка тревоги, секунд");
inline constexpr std::string_view kMmsSizeText = QT_TRANSLATE_NOOP("veyra", "Размер MMS изображения");
inline constexpr std::string_view kNetworkText = QT_TRANSLATE_NOOP("veyra", "Режим связи");
inline constexpr std::string_view kDeviceText = QT_TRANSLATE_NOOP("veyra", "Устройство");
inline constexpr std::string_view kOnText = QT_TRANSLATE_NOOP("veyra", "Вкл.");
inline constexpr std::string_view kOffText = QT_TRANSLATE_NOOP("veyra", "Выкл.");

}  // namespace veyra::backup

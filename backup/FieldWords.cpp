#include "backup/FieldWords.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "backup/BackupFields.h"
#include "backup/BackupKeys.h"
#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "features/settings/SetupCodec.h"
#include "link/DecimalText.h"

namespace veyra::backup {

namespace {

// Indexed as settings::SetupNumberFields.
constexpr std::array<std::string_view, settings::SetupNumberFields.size()> kSetupNumberTexts = {
    kSirenMinutesText, kRedialCountText, kArmDelayText, kAlarmDelayText};

constexpr std::array<std::string_view, 4> kAreaTexts = {kSetupAreaText, kTimersAreaText, kPhonesAreaText,
                                                        kDevicesAreaText};

WordPiece Translated(std::string_view text) { return {std::string(text), true}; }
WordPiece AsItIs(std::string_view text) { return {std::string(text), false}; }

// The number after a prefix: "group2_arm" after "group" gives 2 and leaves "_arm".
std::optional<int> NumberAfter(std::string_view& name, std::string_view prefix, int highest) {
  if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
  name.remove_prefix(prefix.size());
  std::size_t digits = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
  const std::optional<int> number = StrictDecimal(name.substr(0, digits), 1, highest, 3);
  name.remove_prefix(digits);
  return number;
}

std::optional<Words> SetupFieldWords(std::string_view name) {
  for (std::size_t i = 0; i < settings::SetupNumberFields.size(); ++i)
    if (name == settings::SetupNumberFields[i].name) return Words{Translated(kSetupNumberTexts[i])};
  if (name == settings::kMmsSizeFieldName) return Words{Translated(kMmsSizeText)};
  if (name == settings::kNetworkFieldName) return Words{Translated(kNetworkText)};
  if (const settings::SetupOption* option = settings::FindSetupOption(name))
    return Words{Translated(option->label)};
  return std::nullopt;
}

std::optional<Words> TimerFieldWords(std::string_view name) {
  const std::optional<int> group =
      NumberAfter(name, "group", static_cast<int>(alarm::TimedGroupNames.size()));
  if (!group) return std::nullopt;
  // The column titles of the timer table: "Постановка" and "Снятие".
  std::string_view column;
  if (name == "_arm") column = alarm::TimedColumnTitles[2];
  if (name == "_disarm") column = alarm::TimedColumnTitles[3];
  if (column.empty()) return std::nullopt;
  return Words{Translated(alarm::TimedGroupNames[*group - 1]), AsItIs(kFieldPartSeparator),
               Translated(column)};
}

std::optional<Words> PhoneFieldWords(std::string_view name) {
  for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot)
    if (name == PhoneFieldName(slot)) return Words{Translated(alarm::PhoneSlotLabels[slot - 1])};
  return std::nullopt;
}

std::optional<Words> DeviceFieldWords(std::string_view name) {
  std::string_view rest = name;
  const std::optional<int> number = NumberAfter(rest, "device", 999);
  if (!number || !rest.empty()) return std::nullopt;
  return Words{Translated(kDeviceText), AsItIs(" " + std::to_string(*number))};
}

// The area's index and the field's own name of "setup.siren_minutes".
std::optional<std::pair<int, std::string_view>> SplitField(std::string_view field) {
  const std::size_t dot = field.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const auto area = std::find(AreaNames.begin(), AreaNames.end(), field.substr(0, dot));
  if (area == AreaNames.end()) return std::nullopt;
  return std::make_pair(static_cast<int>(area - AreaNames.begin()), field.substr(dot + 1));
}

}  // namespace

FieldWording WordsOfField(std::string_view field) {
  const auto split = SplitField(field);
  if (!split) return {{}, Words{AsItIs(field)}};
  std::optional<Words> words;
  switch (static_cast<Area>(split->first)) {
    case Area::Setup:
      words = SetupFieldWords(split->second);
      break;
    case Area::Timers:
      words = TimerFieldWords(split->second);
      break;
    case Area::Phones:
      words = PhoneFieldWords(split->second);
      break;
    case Area::Devices:
      words = DeviceFieldWords(split->second);
      break;
  }
  // A field this program has no words for (a newer file's) is still shown, by its key.
  return {kAreaTexts[split->first], words ? *words : Words{AsItIs(split->second)}};
}

Words WordsOfValue(std::string_view field, std::string_view value) {
  if (value.empty()) return {AsItIs(kEmptyValueText)};
  const auto split = SplitField(field);
  if (!split) return {AsItIs(value)};
  const auto area = static_cast<Area>(split->first);
  if (area == Area::Setup) {
    if (value == "on") return {Translated(kOnText)};
    if (value == "off") return {Translated(kOffText)};
    const auto mode = std::find(settings::NetworkModeNames.begin(), settings::NetworkModeNames.end(), value);
    if (split->second == settings::kNetworkFieldName && mode != settings::NetworkModeNames.end())
      return {Translated(settings::NetworkModeTexts[mode - settings::NetworkModeNames.begin()])};
  }
  if (area == Area::Timers) {
    // "daily,08:30": the day as the timer window names it, then the time.
    const std::size_t comma = value.find(',');
    const auto day = std::find(kDayNames.begin(), kDayNames.end(), value.substr(0, comma));
    if (comma != std::string_view::npos && day != kDayNames.end())
      return {Translated(alarm::TimedDayNames[day - kDayNames.begin()]),
              AsItIs(" " + std::string(value.substr(comma + 1)))};
  }
  return {AsItIs(value)};
}

}  // namespace veyra::backup

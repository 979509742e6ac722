#include "backup/FieldParsers.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "backup/BackupFields.h"
#include "backup/BackupKeys.h"
#include "link/DecimalText.h"
#include "link/TextParts.h"

namespace veyra::backup {

namespace {

constexpr std::string_view kTimeOutOfRangeText = "time out of range: hours 00 to 23, minutes 00 to 59";

// A decimal number in [low, high], digits only.
std::optional<int> Number(std::string_view text, int low, int high) {
  return StrictDecimal(text, low, high, 4);
}

// Why a value is refused, or empty when it was taken.
using Verdict = std::string;

FieldVerdict FromVerdict(Verdict why) {
  return why.empty() ? FieldVerdict::Taken() : FieldVerdict::Refused(std::move(why));
}

Verdict ParseByte(std::string_view value, std::uint8_t& out) {
  const std::optional<int> number = Number(value, 0, 255);
  if (!number) return "takes a whole number from 0 to 255";
  out = static_cast<std::uint8_t>(*number);
  return {};
}

Verdict ParseMmsSize(std::string_view value, std::uint8_t& size) {
  if (const std::optional<int> named = IndexOf(settings::MmsSizeTexts, value)) {
    size = static_cast<std::uint8_t>(*named);
    return {};
  }
  if (ParseByte(value, size).empty() && settings::MmsSizeText(size).empty()) return {};
  return "takes " + OneOf(settings::MmsSizeTexts) + " (or the code 3 to 255 of a size without a name)";
}

// A value's marker taken off; whether it had one.
bool TakeMarker(std::string_view& value) {
  if (value.size() < kNotRestorableMarker.size() ||
      value.substr(value.size() - kNotRestorableMarker.size()) != kNotRestorableMarker)
    return false;
  value = Trim(value.substr(0, value.size() - kNotRestorableMarker.size()), kLineBlanks);
  return true;
}

// A day by its name, or "day9" to "day255" for a code without one, as a host may hold it.
std::optional<int> DayCode(std::string_view text) {
  if (const std::optional<int> named = IndexOf(kDayNames, text)) return named;
  if (text.substr(0, 3) != "day") return std::nullopt;
  return Number(text.substr(3), static_cast<int>(kDayNames.size()), 0xFF);
}

// HH:MM with each part a byte: an off time keeps whatever the host holds with it.
Verdict ParseTime(std::string_view value, bool marked, alarm::TimedTime& time) {
  std::string allowed =
      "takes DAY,HH:MM with DAY " + OneOf(kDayNames) + " (or day9 to day255 for a code without a name)";
  if (value == "off") {
    time = alarm::TimedTime{};
    return {};
  }
  const std::size_t comma = value.find(',');
  const std::size_t colon = value.find(':', comma);
  if (comma == std::string_view::npos || colon == std::string_view::npos) return allowed;
  const std::optional<int> day = DayCode(value.substr(0, comma));
  const std::optional<int> hour = Number(value.substr(comma + 1, colon - comma - 1), 0, 0xFF);
  const std::optional<int> minute = Number(value.substr(colon + 1), 0, 0xFF);
  if (!day || !hour || !minute) return allowed;
  time = alarm::TimedTime{*day, *hour, *minute};
  if (!marked && !TimeUnsendable(time).empty()) {
    return std::string(kTimeOutOfRangeText) + " (a backup writes such a time a host holds with " +
           std::string(kNotRestorableMarker) + " after it, and a restore skips its group)";
  }
  return {};
}

Verdict ParsePhone(std::string_view value, bool marked, std::string& phone) {
  const std::optional<std::string> number =
      alarm::NormalizePhoneText(value, marked ? alarm::kPhoneMaxReadDigits : alarm::kPhoneMaxDigits);
  if (!number) {
    std::string why = "takes at most " + std::to_string(alarm::kPhoneMaxDigits) +
                      " characters of digits, *, : and G (empty: no number)";
    if (!marked && alarm::NormalizePhoneText(value, alarm::kPhoneMaxReadDigits)) {
      why += "; a backup writes a longer number a host holds with " + std::string(kNotRestorableMarker) +
             " after it, and a restore skips its slot";
    }
    return why;
  }
  // Stored as the host will read it back, so a restored number compares equal.
  phone = alarm::DecodePhoneDigits(alarm::EncodePhoneDigits(*number));
  return {};
}

// Exactly two hex digits: the file writes every byte so.
std::optional<std::uint8_t> HexPairValue(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  return HexByte(text);
}

// One KEY=VALUE word of a device after its kind.
Verdict ParseDeviceWord(std::string_view key, std::string_view text, sensors::DeviceRecord& device, int& type,
                        int& mode) {
  if (key == "number") {
    if (!ParseByte(text, device.number).empty()) return "number takes a whole number from 0 to 255";
  } else if (key == "zone") {
    const std::optional<std::uint8_t> zone = HexPairValue(text);
    if (!zone) return "zone takes two hex digits";
    device.zone = *zone;
  } else if (key == "type" || key == "mode") {
    int& code = key == "type" ? type : mode;
    const std::optional<int> named = key == "type" ? IndexOf(kTypeNames, text) : IndexOf(kModeNames, text);
    const std::optional<int> number = Number(text, 0, 15);
    if (!named && !number) return std::string(key) + " takes a name or a code from 0 to 15";
    code = named ? *named : *number;
  } else {
    const std::vector<std::string_view> pairs = Split(text, ':', false);
    bool taken = pairs.size() == device.idLength;
    for (std::size_t n = 0; taken && n < pairs.size(); ++n) {
      const std::optional<std::uint8_t> byte = HexPairValue(pairs[n]);
      taken = byte.has_value();
      if (taken) device.id[n] = *byte;
    }
    if (!taken) return "id takes " + std::to_string(device.idLength) + " hex pairs joined by ':'";
  }
  return {};
}

Verdict ParseDevice(std::string_view value, sensors::DeviceRecord& device) {
  const std::vector<std::string_view> words = Split(value, ' ', true);
  const std::optional<int> kind = words.empty() ? std::nullopt : IndexOf(kKindNames, words[0]);
  if (!kind) return "starts with the kind: " + OneOf(kKindNames);
  device = sensors::DeviceRecord{};
  device.kind = static_cast<sensors::DeviceKind>(*kind);
  device.idLength = kIdLengths[*kind];
  std::vector<std::string_view> expected = {"id"};
  if (device.kind != sensors::DeviceKind::Keypad) expected.push_back("number");
  if (device.kind == sensors::DeviceKind::Sensor) expected.insert(expected.end(), {"zone", "type", "mode"});
  int type = 0, mode = 0;
  std::vector<std::string_view> seen;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::size_t equals = words[i].find('=');
    const std::string_view key = words[i].substr(0, equals);
    const std::string_view text = equals == std::string_view::npos ? "" : words[i].substr(equals + 1);
    if (std::find(expected.begin(), expected.end(), key) == expected.end() ||
        std::find(seen.begin(), seen.end(), key) != seen.end())
      return "'" + std::string(words[i]) + "' is not a field of a " + std::string(words[0]) +
             " or is given twice";
    seen.push_back(key);
    if (Verdict why = ParseDeviceWord(key, text, device, type, mode); !why.empty()) return why;
  }
  if (seen.size() != expected.size()) {
    std::string all;
    for (std::string_view key : expected) all += " " + std::string(key);
    return "a " + std::string(words[0]) + " has the fields" + all;
  }
  device.typeMode = static_cast<std::uint8_t>(type << 4 | mode);
  return {};
}

}  // namespace

std::string_view CanonicalFieldName(Area area, std::string_view name) {
  if (area != Area::Setup) return name;
  const settings::SetupNumberField* number = settings::FindSetupNumberField(name);
  return number ? number->name : name;
}

FieldVerdict ParseSetupField(std::string_view name, std::string_view value, settings::SetupRecord& setup) {
  if (const settings::SetupNumberField* number = settings::FindSetupNumberField(name))
    return FromVerdict(ParseByte(value, setup.*number->byte));
  if (name == settings::kMmsSizeFieldName) return FromVerdict(ParseMmsSize(value, setup.mmsSize));
  if (name == settings::kNetworkFieldName) {
    const std::optional<int> mode = IndexOf(settings::NetworkModeNames, value);
    if (!mode) return FieldVerdict::Refused("takes " + OneOf(settings::NetworkModeNames));
    if (static_cast<settings::NetworkMode>(*mode) == settings::NetworkMode::Automatic)
      setup.flags |= settings::kNetworkAutomatic;
    return FieldVerdict::Taken();
  }
  const settings::SetupOption* option = settings::FindSetupOption(name);
  if (!option) return FieldVerdict::Unknown();
  if (value != "on" && value != "off") return FieldVerdict::Refused("takes on or off");
  if (value == "on") setup.flags |= option->mask;
  return FieldVerdict::Taken();
}

FieldVerdict ParseTimerField(std::string_view name, std::string_view value, HostConfiguration& config) {
  for (std::size_t g = 0; g < config.timers.size(); ++g) {
    const std::string group = "group" + std::to_string(g + 1);
    alarm::TimedSchedule& schedule = config.timers[g];
    alarm::TimedTime* time = name == group + "_arm"      ? &schedule.arm
                             : name == group + "_disarm" ? &schedule.disarm
                                                         : nullptr;
    if (!time) continue;
    const bool marked = TakeMarker(value);
    return FromVerdict(ParseTime(value, marked, *time));
  }
  return FieldVerdict::Unknown();
}

FieldVerdict ParsePhoneField(std::string_view name, std::string_view value, HostConfiguration& config) {
  for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot) {
    if (name != PhoneFieldName(slot)) continue;
    const bool marked = TakeMarker(value);
    return FromVerdict(ParsePhone(value, marked, config.phones[slot - 1]));
  }
  return FieldVerdict::Unknown();
}

FieldVerdict ParseDeviceField(std::string_view name, std::string_view value, HostConfiguration& config) {
  const std::string expected = "device" + std::to_string(config.devices.size() + 1);
  if (name != expected)
    return FieldVerdict::Refused("devices are numbered from device1 in order; expected " + expected);
  config.devices.emplace_back();
  return FromVerdict(ParseDevice(value, config.devices.back()));
}

}  // namespace veyra::backup

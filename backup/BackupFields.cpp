#include "backup/BackupFields.h"

#include <cstdio>

#include "backup/BackupKeys.h"
#include "link/TextParts.h"

namespace veyra::backup {

namespace {

std::string Clock(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

template <std::size_t N>
std::string NameOrCode(const std::array<std::string_view, N>& names, unsigned code) {
  return code < N ? std::string(names[code]) : std::to_string(code);
}

Fields SetupFields(const settings::SetupRecord& s) {
  Fields fields;
  for (const settings::SetupNumberField& number : settings::SetupNumberFields)
    fields.push_back({std::string(number.name), std::to_string(s.*number.byte)});
  const std::string_view size = settings::MmsSizeText(s.mmsSize);
  // A code this program has no size for (a newer host's) is kept as its number.
  fields.push_back({std::string(settings::kMmsSizeFieldName),
                    size.empty() ? std::to_string(s.mmsSize) : std::string(size)});
  fields.push_back(
      {std::string(settings::kNetworkFieldName),
       std::string(settings::NetworkModeNames[static_cast<int>(settings::NetworkModeOf(s.flags))])});
  for (const settings::SetupOption& option : settings::SetupOptions)
    fields.push_back({std::string(option.name), (s.flags & option.mask) ? "on" : "off"});
  return fields;
}

Fields TimerFields(const HostConfiguration& config) {
  Fields fields;
  for (std::size_t g = 0; g < config.timers.size(); ++g) {
    const std::string group = "group" + std::to_string(g + 1);
    fields.push_back({group + "_arm", TimeValue(config.timers[g].arm)});
    fields.push_back({group + "_disarm", TimeValue(config.timers[g].disarm)});
  }
  return fields;
}

Fields PhoneFields(const HostConfiguration& config) {
  Fields fields;
  for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot)
    fields.push_back({PhoneFieldName(slot), config.phones[slot - 1]});
  return fields;
}

Fields DeviceFields(const HostConfiguration& config) {
  Fields fields;
  for (std::size_t i = 0; i < config.devices.size(); ++i)
    fields.push_back({"device" + std::to_string(i + 1), DeviceText(config.devices[i])});
  return fields;
}

}  // namespace

Fields AreaFields(const HostConfiguration& config, Area area) {
  switch (area) {
    case Area::Setup:
      return SetupFields(config.setup);
    case Area::Timers:
      return TimerFields(config);
    case Area::Phones:
      return PhoneFields(config);
    case Area::Devices:
      break;
  }
  return DeviceFields(config);
}

std::string PhoneFieldName(int slot) {
  if (slot <= 6) return "voice" + std::to_string(slot);
  if (slot <= 9) return "sms" + std::to_string(slot - 6);
  return "mms" + std::to_string(slot - 9);
}

std::string DeviceText(const sensors::DeviceRecord& device) {
  const auto kind = static_cast<std::size_t>(device.kind);
  std::string text(kKindNames[kind]);
  if (device.kind != sensors::DeviceKind::Keypad) text += " number=" + std::to_string(device.number);
  text += " id=";
  for (std::size_t i = 0; i < device.idLength && i < device.id.size(); ++i)
    text += (i ? ":" : "") + HexPair(device.id[i]);
  if (device.kind == sensors::DeviceKind::Sensor) {
    text += " zone=" + HexPair(device.zone);
    text += " type=" + NameOrCode(kTypeNames, device.typeMode >> 4);
    text += " mode=" + NameOrCode(kModeNames, device.typeMode & 0x0F);
  }
  return text;
}

std::string TimeValue(const alarm::TimedTime& time) {
  const std::string day = time.day >= 0 && time.day < static_cast<int>(kDayNames.size())
                              ? std::string(kDayNames[time.day])
                              : "day" + std::to_string(time.day);
  return day + "," + Clock(time.hour, time.minute);
}

// A time that is off (day 0, or a code above 8, which the host reads as off) goes back byte for
// byte whatever hour and minute it keeps; a time of a working day must be one that comes.
std::string TimeUnsendable(const alarm::TimedTime& time) {
  const auto byte = [](int value) { return value >= 0 && value <= 0xFF; };
  if (!byte(time.day) || !byte(time.hour) || !byte(time.minute))
    return TimeValue(time) + " does not fit the record's bytes";
  const bool working = time.day >= 1 && time.day < static_cast<int>(kDayNames.size());
  if (working && (time.hour > 23 || time.minute > 59))
    return TimeValue(time) + " is a time that never comes (hours 00 to 23, minutes 00 to 59)";
  return {};
}

std::string PhoneUnsendable(const std::string& number) {
  if (alarm::PhoneWritePayload(1, number).payload) return {};
  if (alarm::NormalizePhoneText(number, alarm::kPhoneMaxReadDigits))
    return "holds " + std::to_string(number.size()) + " characters, and a write carries at most " +
           std::to_string(alarm::kPhoneMaxDigits);
  return "holds no number a write can carry";
}

std::string TimerItem(std::size_t group) { return "timers.group" + std::to_string(group + 1); }
std::string PhoneItem(int slot) { return "phones." + PhoneFieldName(slot); }

std::string FieldNote(const HostConfiguration& config, Area area, std::size_t index) {
  std::string why, item, field;
  if (area == Area::Timers && index / 2 < config.timers.size()) {
    const alarm::TimedSchedule& schedule = config.timers[index / 2];
    why = TimeUnsendable(index % 2 ? schedule.disarm : schedule.arm);
    item = TimerItem(index / 2);
    field = "group" + std::to_string(index / 2 + 1) + (index % 2 ? "_disarm" : "_arm");
  } else if (area == Area::Phones && index < config.phones.size()) {
    why = PhoneUnsendable(config.phones[index]);
    item = PhoneItem(static_cast<int>(index) + 1);
    field = PhoneFieldName(static_cast<int>(index) + 1);
  }
  return why.empty() ? why : field + " " + why + "; a restore skips " + item;
}

}  // namespace veyra::backup

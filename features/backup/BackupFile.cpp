#include "features/backup/BackupFile.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "features/backup/BackupKeys.h"
#include "link/DecimalText.h"
#include "link/PrintableText.h"

namespace veyra::backup {

namespace {

struct Field {
  std::string name, value;
};
using Fields = std::vector<Field>;

// Indexed by sensor type 0 to 10 and zone mode 0 to 6; higher codes are written as numbers.
constexpr std::array<std::string_view, sensors::kHighestSensorType + 1> kTypeNames = {
    "none", "panic", "pir", "door", "infrared", "gas", "smoke", "water", "heat", "doorbell", "keypad"};
constexpr std::array<std::string_view, 7> kModeNames = {"empty", "arm",         "partial",        "disarm",
                                                        "alarm", "delayed_arm", "delayed_partial"};

// After a value a restore cannot send: it is the host's own, kept for the record and for a diff,
// and a restore skips its item. Without it such a value is refused as a slip of the pen.
constexpr std::string_view kNotRestorableMarker = "(not restorable)";
constexpr std::string_view kTimeOutOfRangeText = "time out of range: hours 00 to 23, minutes 00 to 59";

constexpr std::array<std::string_view, 4> kKindNames = {"sensor", "remote", "doorbell", "keypad"};
constexpr std::array<std::size_t, 4> kIdLengths = {4, 3, 3, 2};  // by DeviceKind

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x", value & 0xFF);
  return text;
}

std::string Clock(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

std::string TimeValue(const alarm::TimedTime& time) {
  const std::string day = time.day >= 0 && time.day < static_cast<int>(kDayNames.size())
                              ? std::string(kDayNames[time.day])
                              : "day" + std::to_string(time.day);
  return day + "," + Clock(time.hour, time.minute);
}

// Why a restore cannot send a time back, or empty when it can. A time that is off (day 0, or a
// code above 8, which the host reads as off) goes back byte for byte whatever hour and minute it
// keeps; a time of a working day must be one that comes.
std::string TimeUnsendable(const alarm::TimedTime& time) {
  const auto byte = [](int value) { return value >= 0 && value <= 0xFF; };
  if (!byte(time.day) || !byte(time.hour) || !byte(time.minute))
    return TimeValue(time) + " does not fit the record's bytes";
  const bool working = time.day >= 1 && time.day < static_cast<int>(kDayNames.size());
  if (working && (time.hour > 23 || time.minute > 59))
    return TimeValue(time) + " is a time that never comes (hours 00 to 23, minutes 00 to 59)";
  return {};
}

// Why a restore cannot send a number back, or empty when it can.
std::string PhoneUnsendable(const std::string& number) {
  if (alarm::PhoneWritePayload(1, number).payload) return {};
  if (alarm::NormalizePhoneText(number, alarm::kPhoneMaxReadDigits))
    return "holds " + std::to_string(number.size()) + " characters, and a write carries at most " +
           std::to_string(alarm::kPhoneMaxDigits);
  return "holds no number a write can carry";
}

std::string TimerItem(std::size_t group) { return "timers.group" + std::to_string(group + 1); }
std::string PhoneItem(int slot) { return "phones." + PhoneFieldName(slot); }

template <std::size_t N>
std::string NameOrCode(const std::array<std::string_view, N>& names, unsigned code) {
  return code < N ? std::string(names[code]) : std::to_string(code);
}

Fields SetupFields(const settings::SetupRecord& s) {
  Fields fields = {{"siren_minutes", std::to_string(s.sirenMinutes)},
                   {"redial_count", std::to_string(s.redialCount)},
                   {"arm_delay_s", std::to_string(s.armDelay)},
                   {"alarm_delay_s", std::to_string(s.alarmDelay)}};
  const std::string_view size = settings::MmsSizeText(s.mmsSize);
  // A code this program has no size for (a newer host's) is kept as its number.
  fields.push_back({"mms_size", size.empty() ? std::to_string(s.mmsSize) : std::string(size)});
  fields.push_back({"network", (s.flags & settings::kNetworkAutomatic) ? "auto" : "3g"});
  for (const FlagName& flag : kFlagNames)
    fields.push_back({std::string(flag.name), (s.flags & flag.mask) ? "on" : "off"});
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

// Why a restore cannot send the value of the area's field at index back, with the item it skips;
// empty when it can. In the order of AreaFields.
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

// ---- reading ----

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal number in [low, high], digits only.
std::optional<int> Number(std::string_view text, int low, int high) {
  return StrictDecimal(text, low, high, 4);
}

std::optional<int> HexByte(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
  }
  return value;
}

template <std::size_t N>
std::optional<int> IndexOf(const std::array<std::string_view, N>& names, std::string_view text) {
  const auto found = std::find(names.begin(), names.end(), text);
  if (found == names.end()) return std::nullopt;
  return static_cast<int>(found - names.begin());
}

template <std::size_t N>
std::string OneOf(const std::array<std::string_view, N>& names) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) text += (i ? (i + 1 == N ? " or " : ", ") : "") + std::string(names[i]);
  return text;
}

// The parts of text between separators; empty parts are dropped when skipEmpty.
std::vector<std::string_view> Split(std::string_view text, char separator, bool skipEmpty) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start || !skipEmpty) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Why a value is refused, or empty when it was taken.
using Verdict = std::string;

Verdict ParseByte(std::string_view value, std::uint8_t& out) {
  const std::optional<int> number = Number(value, 0, 255);
  if (!number) return "takes a whole number from 0 to 255";
  out = static_cast<std::uint8_t>(*number);
  return {};
}

Verdict ParseSetupField(std::string_view name, std::string_view value, settings::SetupRecord& s,
                        bool& known) {
  known = true;
  if (name == "siren_minutes") return ParseByte(value, s.sirenMinutes);
  if (name == "redial_count") return ParseByte(value, s.redialCount);
  if (name == "arm_delay_s") return ParseByte(value, s.armDelay);
  if (name == "alarm_delay_s") return ParseByte(value, s.alarmDelay);
  if (name == "mms_size") {
    if (const std::optional<int> size = IndexOf(settings::MmsSizeTexts, value)) {
      s.mmsSize = static_cast<std::uint8_t>(*size);
      return {};
    }
    if (ParseByte(value, s.mmsSize).empty() && settings::MmsSizeText(s.mmsSize).empty()) return {};
    return "takes " + OneOf(settings::MmsSizeTexts) + " (or the code 3 to 255 of a size without a name)";
  }
  if (name == "network") {
    if (value != "auto" && value != "3g") return "takes auto or 3g";
    if (value == "auto") s.flags |= settings::kNetworkAutomatic;
    return {};
  }
  for (const FlagName& flag : kFlagNames) {
    if (name != flag.name) continue;
    if (value != "on" && value != "off") return "takes on or off";
    if (value == "on") s.flags |= flag.mask;
    return {};
  }
  known = false;
  return {};
}

// A value's marker taken off; whether it had one.
bool TakeMarker(std::string_view& value) {
  if (value.size() < kNotRestorableMarker.size() ||
      value.substr(value.size() - kNotRestorableMarker.size()) != kNotRestorableMarker)
    return false;
  value = Trim(value.substr(0, value.size() - kNotRestorableMarker.size()));
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
  const std::string allowed =
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

Verdict ParseDevice(std::string_view value, sensors::DeviceRecord& device) {
  const std::vector<std::string_view> words = Split(value, ' ', true);
  const std::optional<int> kind = words.empty() ? std::nullopt : IndexOf(kKindNames, words[0]);
  if (!kind) return "starts with the kind: " + OneOf(kKindNames);
  device = sensors::DeviceRecord{};
  device.kind = static_cast<sensors::DeviceKind>(*kind);
  device.idLength = kIdLengths[*kind];
  const bool sensor = device.kind == sensors::DeviceKind::Sensor;
  std::vector<std::string_view> expected = {"id"};
  if (device.kind != sensors::DeviceKind::Keypad) expected.push_back("number");
  if (sensor) expected.insert(expected.end(), {"zone", "type", "mode"});
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
    if (key == "number") {
      if (!ParseByte(text, device.number).empty()) return "number takes a whole number from 0 to 255";
    } else if (key == "zone") {
      const std::optional<int> zone = HexByte(text);
      if (!zone) return "zone takes two hex digits";
      device.zone = static_cast<std::uint8_t>(*zone);
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
        const std::optional<int> byte = HexByte(pairs[n]);
        taken = byte.has_value();
        if (taken) device.id[n] = static_cast<std::uint8_t>(*byte);
      }
      if (!taken) return "id takes " + std::to_string(device.idLength) + " hex pairs joined by ':'";
    }
  }
  if (seen.size() != expected.size()) {
    std::string all;
    for (std::string_view key : expected) all += " " + std::string(key);
    return "a " + std::string(words[0]) + " has the fields" + all;
  }
  device.typeMode = static_cast<std::uint8_t>(type << 4 | mode);
  return {};
}

// The lines of the text: section headers and fields, with their numbers.
struct Entry {
  int line = 0;
  bool section = false;
  std::string name, value;  // a section's name, or a field's name and value
};

}  // namespace

HostConfiguration::HostConfiguration() {
  for (std::size_t g = 0; g < timers.size(); ++g) timers[g].group = static_cast<int>(g + 1);
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
    text += (i ? ":" : "") + Hex2(device.id[i]);
  if (device.kind == sensors::DeviceKind::Sensor) {
    text += " zone=" + Hex2(device.zone);
    text += " type=" + NameOrCode(kTypeNames, device.typeMode >> 4);
    text += " mode=" + NameOrCode(kModeNames, device.typeMode & 0x0F);
  }
  return text;
}

std::string BackupText(const HostConfiguration& config, const BackupHeader& header) {
  std::string text = "[" + std::string(kBackupHeaderSection) + "]\n";
  text += "version=" + std::to_string(header.version) + "\n";
  text += "program=" + header.program + "\n";
  text += "date=" + header.date + "\n";
  for (Area area : AllAreas) {
    text += "\n[" + std::string(AreaNames[static_cast<int>(area)]) + "]\n";
    if (area == Area::Devices)
      text += "# A record of the devices learnt at the host; a restore does not write them.\n";
    const Fields fields = AreaFields(config, area);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      // Said beside the value too, so the file explains itself where a reader looks.
      const std::string note = FieldNote(config, area, i);
      if (!note.empty()) text += "# Not restorable: " + note + ".\n";
      text += fields[i].name + "=" + fields[i].value;
      text += note.empty() ? "\n" : " " + std::string(kNotRestorableMarker) + "\n";
    }
  }
  return text;
}

BackupParse ParseBackupText(std::string_view text) {
  BackupParse result;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<Entry> entries;
  int lineCount = 0;
  int malformedLine = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineCount;
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    Entry entry;
    entry.line = lineCount;
    if (line.front() == '[' && line.back() == ']') {
      entry.section = true;
      entry.name = std::string(Trim(line.substr(1, line.size() - 2)));
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos && equals > 0) {
      entry.name = std::string(Trim(line.substr(0, equals)));
      entry.value = std::string(Trim(line.substr(equals + 1)));
    } else if (!malformedLine) {
      malformedLine = lineCount;
      continue;
    }
    entries.push_back(std::move(entry));
  }
  // A reason quotes the file: what a terminal would act on, or a NUL, arrives as text.
  const auto refuse = [&](int line, const std::string& reason) {
    result.line = line;
    result.reason = PrintableText(reason);
    return result;
  };

  // The header decides how the rest is read: judged before anything else.
  if (entries.empty() || !entries[0].section || entries[0].name != kBackupHeaderSection) {
    const int line = entries.empty() ? std::max(lineCount, 1) : entries[0].line;
    return refuse(line, "not a backup file: it starts with [" + std::string(kBackupHeaderSection) + "]");
  }
  std::size_t next = 1;
  std::map<std::string, int, std::less<>> headerSeen;
  for (; next < entries.size() && !entries[next].section; ++next) {
    const Entry& e = entries[next];
    if (e.name == "version") {
      const std::optional<int> version = Number(e.value, 0, 999);
      if (version && *version > kBackupFormatVersion)
        return refuse(e.line, "written in format version " + e.value + ", newer than this program reads (" +
                                  std::to_string(kBackupFormatVersion) + "); use a newer veyra-setup");
      if (!version || *version != kBackupFormatVersion)
        return refuse(e.line, "unknown format version '" + e.value + "'; this program reads version " +
                                  std::to_string(kBackupFormatVersion));
      result.header.version = *version;
    }
  }
  if (malformedLine) return refuse(malformedLine, "not a [section] nor a NAME=VALUE line");
  for (std::size_t i = 1; i < next; ++i) {
    const Entry& e = entries[i];
    if (!headerSeen.emplace(e.name, e.line).second) return refuse(e.line, e.name + " given twice");
    if (e.name == "program") {
      result.header.program = e.value;
    } else if (e.name == "date") {
      // ISO 8601: at least the calendar date.
      const bool date = e.value.size() >= 10 && Number(e.value.substr(0, 4), 0, 9999) && e.value[4] == '-' &&
                        Number(e.value.substr(5, 2), 1, 12) && e.value[7] == '-' &&
                        Number(e.value.substr(8, 2), 1, 31);
      if (!date) return refuse(e.line, "date takes an ISO 8601 date, YYYY-MM-DDTHH:MM:SS");
      result.header.date = e.value;
    } else if (e.name != "version") {
      return refuse(e.line, "unknown field '" + e.name + "'; [veyra-backup] holds version, program and date");
    }
  }
  for (const char* name : {"version", "program", "date"})
    if (!headerSeen.count(name))
      return refuse(entries[0].line, std::string("[veyra-backup] has no ") + name + " field");

  HostConfiguration config;
  std::array<int, AllAreas.size()> sectionLine{};
  while (next < entries.size()) {
    const Entry& header = entries[next++];
    const std::optional<int> area = IndexOf(AreaNames, header.name);
    if (!area)
      return refuse(header.line, "unknown section [" + header.name +
                                     "]; a backup holds [setup], [timers], "
                                     "[phones] and [devices]");
    if (sectionLine[*area]) return refuse(header.line, "[" + header.name + "] given twice");
    sectionLine[*area] = header.line;
    const Fields expected = AreaFields(HostConfiguration{}, static_cast<Area>(*area));
    std::map<std::string, int, std::less<>> seen;
    for (; next < entries.size() && !entries[next].section; ++next) {
      const Entry& e = entries[next];
      const std::string where = "[" + header.name + "] " + e.name;
      if (!seen.emplace(e.name, e.line).second) return refuse(e.line, where + " given twice");
      Verdict verdict;
      bool known = true;
      switch (static_cast<Area>(*area)) {
        case Area::Setup:
          verdict = ParseSetupField(e.name, e.value, config.setup, known);
          break;
        case Area::Timers: {
          std::string_view value = e.value;
          const bool marked = TakeMarker(value);
          known = false;
          for (std::size_t g = 0; g < config.timers.size() && !known; ++g) {
            const std::string group = "group" + std::to_string(g + 1);
            if (e.name == group + "_arm" || e.name == group + "_disarm") {
              known = true;
              verdict = ParseTime(value, marked,
                                  e.name == group + "_arm" ? config.timers[g].arm : config.timers[g].disarm);
            }
          }
          break;
        }
        case Area::Phones: {
          std::string_view value = e.value;
          const bool marked = TakeMarker(value);
          known = false;
          for (int slot = 1; slot <= alarm::kPhoneSlotCount && !known; ++slot) {
            if (e.name != PhoneFieldName(slot)) continue;
            known = true;
            verdict = ParsePhone(value, marked, config.phones[slot - 1]);
          }
          break;
        }
        case Area::Devices: {
          const std::string name = "device" + std::to_string(config.devices.size() + 1);
          if (e.name != name) {
            verdict = "devices are numbered from device1 in order; expected " + name;
            break;
          }
          config.devices.emplace_back();
          verdict = ParseDevice(e.value, config.devices.back());
          break;
        }
      }
      if (!known) {
        std::string names;
        for (const Field& field : expected) names += (names.empty() ? "" : ", ") + field.name;
        return refuse(e.line, "unknown field '" + e.name + "'; [" + header.name + "] holds " + names);
      }
      if (!verdict.empty()) return refuse(e.line, where + " '" + e.value + "': " + verdict);
    }
    for (const Field& field : expected)
      if (!seen.count(field.name))
        return refuse(header.line, "[" + header.name + "] has no " + field.name + " field");
  }
  for (Area area : AllAreas) {
    if (!sectionLine[static_cast<int>(area)])
      return refuse(std::max(lineCount, 1), "the file ends without a [" +
                                                std::string(AreaNames[static_cast<int>(area)]) + "] section");
  }
  result.config = std::move(config);
  return result;
}

std::vector<RestoreItem> RestoreItems(const HostConfiguration& config, const AreaSet& areas) {
  std::vector<RestoreItem> items;
  if (areas[static_cast<int>(Area::Setup)])
    items.push_back({"setup", settings::SetupWritePayload(config.setup), {}});
  if (areas[static_cast<int>(Area::Timers)]) {
    for (std::size_t g = 0; g < config.timers.size(); ++g) {
      const alarm::TimedSchedule& schedule = config.timers[g];
      RestoreItem item{TimerItem(g), std::nullopt, {}};
      const std::string group = "group" + std::to_string(g + 1);
      for (const auto& [field, time] :
           {std::pair{"_arm", &schedule.arm}, std::pair{"_disarm", &schedule.disarm}}) {
        if (const std::string why = TimeUnsendable(*time); !why.empty())
          item.note += (item.note.empty() ? "" : "; ") + group + field + " " + why;
      }
      // The host's own bytes go back as they are: a read gives each time as a day code and two
      // bytes, and the set command carries the same seven bytes.
      if (item.note.empty()) item.payload = alarm::TimedRecordPayload(schedule);
      if (!item.payload && item.note.empty())
        item.note = "group " + std::to_string(schedule.group) + " is not 1 to 3";
      items.push_back(std::move(item));
    }
  }
  if (areas[static_cast<int>(Area::Phones)]) {
    for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot) {
      const std::string& number = config.phones[slot - 1];
      RestoreItem item{PhoneItem(slot), alarm::PhoneWritePayload(slot, number).payload, {}};
      if (!item.payload) item.note = PhoneFieldName(slot) + " " + PhoneUnsendable(number);
      items.push_back(std::move(item));
    }
  }
  return items;
}

std::vector<std::string> BackupNotes(const HostConfiguration& config) {
  std::vector<std::string> notes;
  for (const RestoreItem& item : RestoreItems(config, kWritableAreas))
    if (!item.payload) notes.push_back(item.item + ": not restorable: " + item.note);
  return notes;
}

std::vector<FieldDifference> CompareConfigurations(const HostConfiguration& file,
                                                   const HostConfiguration& host, const AreaSet& areas) {
  std::vector<FieldDifference> differences;
  for (Area area : AllAreas) {
    if (!areas[static_cast<int>(area)]) continue;
    const Fields ours = AreaFields(file, area), theirs = AreaFields(host, area);
    for (std::size_t i = 0; i < std::max(ours.size(), theirs.size()); ++i) {
      const std::string& name = i < ours.size() ? ours[i].name : theirs[i].name;
      const std::string inFile = i < ours.size() ? ours[i].value : "";
      const std::string onHost = i < theirs.size() ? theirs[i].value : "";
      if (inFile != onHost)
        differences.push_back({std::string(AreaNames[static_cast<int>(area)]) + "." + name, inFile, onHost});
    }
  }
  return differences;
}

std::string IsoLocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  std::string iso = text;
  // strftime gives +0200; the extended format wants +02:00, like the rest of the text.
  if (iso.size() >= 5) iso.insert(iso.size() - 2, ":");
  return iso;
}

std::optional<AreaSet> ParseAreaList(std::string_view list) {
  AreaSet areas{};
  for (std::string_view name : Split(list, ',', false)) {
    const std::optional<int> area = IndexOf(AreaNames, name);
    if (!area || areas[*area]) return std::nullopt;
    areas[*area] = true;
  }
  return areas;
}

}  // namespace veyra::backup

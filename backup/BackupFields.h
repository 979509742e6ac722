// Each area of a configuration as the file's named fields, in file order: what the writer prints,
// what the parser expects and what the comparison walks, from one list.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/HostConfiguration.h"

namespace veyra::backup {

struct Field {
  std::string name, value;
};
using Fields = std::vector<Field>;

// The fields of an area, with the values as the file writes them.
Fields AreaFields(const HostConfiguration& config, Area area);

// The file's field name of a phone slot 1 to 12: voice1..voice6, sms1..sms3, mms1..mms3.
std::string PhoneFieldName(int slot);

// "sensor number=1 id=12:34:56:78 zone=05 type=pir mode=arm", "remote number=2 id=a1:b2:c3",
// "doorbell number=1 id=...", "keypad id=12:34".
std::string DeviceText(const sensors::DeviceRecord& device);

// "daily,08:30", "off,00:00", "day9,07:05" for a code without a name.
std::string TimeValue(const alarm::TimedTime& time);

// Why a restore cannot send a time or a number back, or empty when it can.
std::string TimeUnsendable(const alarm::TimedTime& time);
std::string PhoneUnsendable(const std::string& number);

// The restore items: "timers.group2" for group index 1, "phones.sms1" for slot 7.
std::string TimerItem(std::size_t group);
std::string PhoneItem(int slot);

// Why a restore cannot send the value of the area's field at index back, with the item it skips;
// empty when it can. In the order of AreaFields.
std::string FieldNote(const HostConfiguration& config, Area area, std::size_t index);

// Where text is in names; none when it is not there.
template <std::size_t N>
std::optional<int> IndexOf(const std::array<std::string_view, N>& names, std::string_view text) {
  const auto found = std::find(names.begin(), names.end(), text);
  if (found == names.end()) return std::nullopt;
  return static_cast<int>(found - names.begin());
}

// "a, b or c": the names for a reason to list.
template <std::size_t N>
std::string OneOf(const std::array<std::string_view, N>& names) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) text += (i ? (i + 1 == N ? " or " : ", ") : "") + std::string(names[i]);
  return text;
}

}  // namespace veyra::backup

// A host's whole configuration as one value, and the areas it falls into: what a backup file
// holds, what a restore writes back and what a comparison walks.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "features/sensors/SensorListCodec.h"
#include "features/settings/SetupCodec.h"

namespace veyra::backup {

inline constexpr int kBackupFormatVersion = 1;
inline constexpr std::string_view kBackupHeaderSection = "veyra-backup";

enum class Area { Setup, Timers, Phones, Devices };
inline constexpr std::array<Area, 4> AllAreas = {Area::Setup, Area::Timers, Area::Phones, Area::Devices};
// Indexed by Area: the section names, also what --only takes.
inline constexpr std::array<std::string_view, 4> AreaNames = {"setup", "timers", "phones", "devices"};

// Which areas an operation covers, indexed by Area.
using AreaSet = std::array<bool, 4>;
inline constexpr AreaSet kEveryArea = {true, true, true, true};
// What a restore can write: the devices are learnt at the host itself.
inline constexpr AreaSet kWritableAreas = {true, true, true, false};

struct HostConfiguration {
  settings::SetupRecord setup;
  std::array<alarm::TimedSchedule, alarm::TimedGroupNames.size()> timers;  // groups 1 to 3, in order
  std::array<std::string, alarm::kPhoneSlotCount> phones;                  // slots 1 to 12, in order
  std::vector<sensors::DeviceRecord> devices;

  HostConfiguration();
  bool operator==(const HostConfiguration&) const = default;
};

struct BackupHeader {
  int version = kBackupFormatVersion;
  std::string program;  // "veyractl 3.2.0"
  std::string date;     // "2024-05-01T09:30:00+02:00"
};

// "setup,timers" -> those areas; none for an empty list, an unknown name or one given twice.
std::optional<AreaSet> ParseAreaList(std::string_view list);

}  // namespace veyra::backup

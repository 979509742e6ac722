// A host's configuration as a text file an installer can keep, read and compare: ini-like sections
// of named fields with human-readable values, one field a line, so two backups diff line by line.
//
//   [veyra-backup]   version, program, date (ISO 8601)
//   [setup]          the setup record, each option by name
//   [timers]         group1_arm=daily,08:30 ... group3_disarm=off,00:00
//   [phones]         voice1..voice6, sms1..sms3, mms1..mms3
//   [devices]        device1=sensor number=1 id=... : a record of what was learnt, never written back
//
// Parsing checks the whole text before anyone acts on it, and a refusal names the line and says
// what is wrong and what is allowed.
#pragma once

#include <array>
#include <ctime>
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

// The file's field name of a phone slot 1 to 12: voice1..voice6, sms1..sms3, mms1..mms3.
std::string PhoneFieldName(int slot);

// "sensor number=1 id=12:34:56:78 zone=05 type=pir mode=arm", "remote number=2 id=a1:b2:c3",
// "doorbell number=1 id=...", "keypad id=12:34".
std::string DeviceText(const sensors::DeviceRecord& device);

// The whole file, areas in the order above; it ends with a line end.
std::string BackupText(const HostConfiguration& config, const BackupHeader& header);

// One command of a restore: the payload it sends, or why its item has no form a restore can send.
struct RestoreItem {
  std::string item;              // "setup", "timers.group2", "phones.sms1"
  std::optional<Bytes> payload;  // none: not restorable
  std::string note;              // why not, when there is no payload
};

// The commands a restore of the chosen writable areas sends, in the order it sends them.
std::vector<RestoreItem> RestoreItems(const HostConfiguration& config, const AreaSet& areas);

// "timers.group2: not restorable: ...": one line per item of the writable areas that a restore
// cannot write back, for a backup to print.
std::vector<std::string> BackupNotes(const HostConfiguration& config);

struct BackupParse {
  std::optional<HostConfiguration> config;  // none: refused
  BackupHeader header;
  int line = 0;        // of the refusal, counted from 1
  std::string reason;  // what is wrong and what is allowed
};

// Checks the whole text: the header first (a newer or unknown version is refused before anything
// else is judged), then every line; each area's section must be there with every field once.
// Blank lines and lines starting with '#' or ';' are skipped; CR LF line ends and a UTF-8 byte
// order mark are taken as meant. Phone numbers come back as the host would read them back.
BackupParse ParseBackupText(std::string_view text);

struct FieldDifference {
  std::string field;  // "setup.siren_minutes", "timers.group2_arm", "devices.device3"
  std::string file, host;
};

// The fields of the chosen areas whose values differ, in file order; a device missing on either
// side has an empty value there.
std::vector<FieldDifference> CompareConfigurations(const HostConfiguration& file,
                                                   const HostConfiguration& host, const AreaSet& areas);

// The local time as ISO 8601 with its offset from UTC: "2024-05-01T09:30:00+02:00".
std::string IsoLocalTime(std::time_t time);

// "setup,timers" -> those areas; none for an empty list, an unknown name or one given twice.
std::optional<AreaSet> ParseAreaList(std::string_view list);

}  // namespace veyra::backup

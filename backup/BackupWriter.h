// Writing a configuration as a backup file an installer can keep, read and diff: ini-like
// sections of named fields with human-readable values, one field a line.
//
//   [veyra-backup]   version, program, date (ISO 8601)
//   [setup]          the setup record, each option by name
//   [timers]         group1_arm=daily,08:30 ... group3_disarm=off,00:00
//   [phones]         voice1..voice6, sms1..sms3, mms1..mms3
//   [devices]        device1=sensor number=1 id=... : a record of what was learnt, never written back
#pragma once

#include <ctime>
#include <string>

#include "backup/HostConfiguration.h"

namespace veyra::backup {

// The whole file, areas in the order above; it ends with a line end.
std::string BackupText(const HostConfiguration& config, const BackupHeader& header);

// The local time as ISO 8601 with its offset from UTC: "2024-05-01T09:30:00+02:00".
std::string IsoLocalTime(std::time_t time);

}  // namespace veyra::backup

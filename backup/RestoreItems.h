// What a restore sends: one command per item of the writable areas, or why an item has no form
// a restore can send.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backup/HostConfiguration.h"
#include "link/Frame.h"

namespace veyra::backup {

struct RestoreItem {
  std::string item;              // "setup", "timers.group2", "phones.sms1"
  std::optional<Bytes> payload;  // none: not restorable
  std::string note;              // why not, when there is no payload
  Area area = Area::Setup;       // whose codec judges the reply
};

// The commands a restore of the chosen writable areas sends, in the order it sends them.
std::vector<RestoreItem> RestoreItems(const HostConfiguration& config, const AreaSet& areas);

// "timers.group2: not restorable: ...": one line per item of the writable areas that a restore
// cannot write back, for a backup to print.
std::vector<std::string> BackupNotes(const HostConfiguration& config);

}  // namespace veyra::backup

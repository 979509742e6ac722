// Comparing two configurations field by field, in the file's own names and values: what a diff
// prints and what the differences window shows.
#pragma once

#include <string>
#include <vector>

#include "backup/HostConfiguration.h"

namespace veyra::backup {

struct FieldDifference {
  std::string field;  // "setup.siren_minutes", "timers.group2_arm", "devices.device3"
  std::string file, host;

  bool operator==(const FieldDifference&) const = default;
};

// The fields of the chosen areas whose values differ, in file order; a device missing on either
// side has an empty value there.
std::vector<FieldDifference> CompareConfigurations(const HostConfiguration& file,
                                                   const HostConfiguration& host, const AreaSet& areas);

}  // namespace veyra::backup

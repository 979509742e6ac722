#include "backup/BackupComparison.h"

#include <algorithm>

#include "backup/BackupFields.h"

namespace veyra::backup {

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

}  // namespace veyra::backup

#include "backup/HostConfiguration.h"

#include <algorithm>

#include "link/TextParts.h"

namespace veyra::backup {

HostConfiguration::HostConfiguration() {
  for (std::size_t g = 0; g < timers.size(); ++g) timers[g].group = static_cast<int>(g + 1);
}

std::optional<AreaSet> ParseAreaList(std::string_view list) {
  AreaSet areas{};
  for (std::string_view name : Split(list, ',', false)) {
    const auto area = std::find(AreaNames.begin(), AreaNames.end(), name);
    if (area == AreaNames.end() || areas[area - AreaNames.begin()]) return std::nullopt;
    areas[area - AreaNames.begin()] = true;
  }
  return areas;
}

}  // namespace veyra::backup

#include "backup/RestoreItems.h"

#include <utility>

#include "backup/BackupFields.h"

namespace veyra::backup {

std::vector<RestoreItem> RestoreItems(const HostConfiguration& config, const AreaSet& areas) {
  std::vector<RestoreItem> items;
  if (areas[static_cast<int>(Area::Setup)])
    items.push_back({"setup", settings::SetupWritePayload(config.setup), {}, Area::Setup});
  if (areas[static_cast<int>(Area::Timers)]) {
    for (std::size_t g = 0; g < config.timers.size(); ++g) {
      const alarm::TimedSchedule& schedule = config.timers[g];
      RestoreItem item{TimerItem(g), std::nullopt, {}, Area::Timers};
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
      RestoreItem item{PhoneItem(slot), alarm::PhoneWritePayload(slot, number).payload, {}, Area::Phones};
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

}  // namespace veyra::backup

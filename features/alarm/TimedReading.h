// What the host last said its timers were, one schedule per group: kept by the timed arm/disarm
// dialog for both pages, so the setting page can start from the host's values. A group's set
// command carries its arm and disarm times together, and a field left at its opening value would
// switch the other timer off.
#pragma once

#include <array>
#include <optional>

#include "features/alarm/TimedCodec.h"

class TimedReading {
 public:
  // A new look-up begins: nothing is known until its first record.
  void Clear() {
    m_groups = {};
    m_taken = false;
  }
  // A record of a look-up, or a schedule the host acknowledged; a group outside 1 to 3 is no
  // group of the host's and is left out.
  void Take(const veyra::alarm::TimedSchedule& schedule) {
    m_taken = true;
    if (schedule.group >= 1 && schedule.group <= static_cast<int>(m_groups.size()))
      m_groups[static_cast<std::size_t>(schedule.group - 1)] = schedule;
  }
  bool Taken() const { return m_taken; }
  std::optional<veyra::alarm::TimedSchedule> Group(int group) const {
    if (group < 1 || group > static_cast<int>(m_groups.size())) return std::nullopt;
    return m_groups[static_cast<std::size_t>(group - 1)];
  }

 private:
  std::array<std::optional<veyra::alarm::TimedSchedule>, 3> m_groups{};
  bool m_taken = false;
};

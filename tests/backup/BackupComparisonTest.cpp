// The comparison of a file with a host: each field that differs, named as the file names it, with
// both values as the file writes them, in file order, and only in the areas asked for.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "backup/BackupComparison.h"
#include "tests/backup/SampleConfiguration.h"

namespace veyra::backup {
namespace {

TEST(BackupComparisonTest, NamesEachFieldThatDiffers) {
  using Change = std::function<void(HostConfiguration&)>;
  const struct {
    const char* expect;
    Change onHost;
    AreaSet areas;
    std::vector<FieldDifference> differences;
  } rows[] = {
      {"the same configuration has no differences", [](HostConfiguration&) {}, kEveryArea, {}},
      {"a setup number differs by its file name",
       [](HostConfiguration& c) { c.setup.sirenMinutes = 4; },
       kEveryArea,
       {{"setup.siren_minutes", "3", "4"}}},
      {"an option differs as on and off",
       [](HostConfiguration& c) { c.setup.flags |= settings::kMirrorImage; },
       kEveryArea,
       {{"setup.mirror", "off", "on"}}},
      {"the network differs by its words",
       [](HostConfiguration& c) { c.setup.flags &= static_cast<std::uint8_t>(~settings::kNetworkAutomatic); },
       kEveryArea,
       {{"setup.network", "auto", "3g"}}},
      {"a picture size without a name differs by its code",
       [](HostConfiguration& c) { c.setup.mmsSize = 9; },
       kEveryArea,
       {{"setup.mms_size", "320*240", "9"}}},
      {"a timer differs by day and time",
       [](HostConfiguration& c) {
         c.timers[1].disarm = {1, 7, 0};
       },
       kEveryArea,
       {{"timers.group2_disarm", "sunday,09:15", "daily,07:00"}}},
      {"a number emptied on the host differs",
       [](HostConfiguration& c) { c.phones[6].clear(); },
       kEveryArea,
       {{"phones.sms1", "13912345678", ""}}},
      {"a device the host lacks differs with an empty host value",
       [](HostConfiguration& c) { c.devices.pop_back(); },
       kEveryArea,
       {{"devices.device4", "keypad id=be:ef", ""}}},
      {"a device only the host has differs with an empty file value",
       [](HostConfiguration& c) { c.devices.push_back(c.devices[1]); },
       kEveryArea,
       {{"devices.device5", "", "remote number=2 id=a1:b2:c3"}}},
      {"differences come in file order across areas",
       [](HostConfiguration& c) {
         c.phones[0] = "112";
         c.setup.alarmDelay = 16;
         c.timers[0].arm.minute = 31;
       },
       kEveryArea,
       {{"setup.alarm_delay_s", "15", "16"},
        {"timers.group1_arm", "daily,08:30", "daily,08:31"},
        {"phones.voice1", "13800138000", "112"}}},
      {"an area not asked for is not compared",
       [](HostConfiguration& c) {
         c.setup.redialCount = 9;
         c.devices.clear();
       },
       kWritableAreas,
       {{"setup.redial_count", "5", "9"}}},
      {"no area asked for compares nothing",
       [](HostConfiguration& c) { c.setup.redialCount = 9; },
       AreaSet{},
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    HostConfiguration host = test::Sample();
    row.onHost(host);
    EXPECT_EQ(CompareConfigurations(test::Sample(), host, row.areas), row.differences);
  }
}

}  // namespace
}  // namespace veyra::backup

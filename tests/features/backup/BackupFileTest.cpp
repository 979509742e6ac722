// The backup file as text: every field named and readable, and read back to the same values.
#include <gtest/gtest.h>

#include "features/backup/BackupFile.h"

namespace veyra::backup {
namespace {

using alarm::TimedSchedule;
using alarm::TimedTime;
using sensors::DeviceKind;
using sensors::DeviceRecord;

HostConfiguration Sample() {
  HostConfiguration config;
  config.setup = settings::SetupRecord{0x26, 3, 5, 30, 15, 1};
  config.timers = {TimedSchedule{1, {1, 8, 30}, {1, 18, 0}}, TimedSchedule{2, {7, 22, 0}, {8, 9, 15}},
                   TimedSchedule{3, {0, 0, 0}, {0, 0, 0}}};
  config.phones = {
      "13800138000", "3G8613912345678", "*2101", "", "", "112", "13912345678", "", "", "13800001111", "", ""};
  config.devices = {DeviceRecord{DeviceKind::Sensor, 1, {0x12, 0x34, 0x56, 0x78}, 4, 0x05, 0x21},
                    DeviceRecord{DeviceKind::Remote, 2, {0xa1, 0xb2, 0xc3, 0}, 3, 0, 0},
                    DeviceRecord{DeviceKind::Doorbell, 1, {0x01, 0x02, 0x03, 0}, 3, 0, 0},
                    DeviceRecord{DeviceKind::Keypad, 0, {0xbe, 0xef, 0, 0}, 2, 0, 0}};
  return config;
}

constexpr std::string_view kSampleText = R"([veyra-backup]
version=1
program=veyractl 9.9.9
date=2024-05-01T09:30:00+02:00

[setup]
siren_minutes=3
redial_count=5
arm_delay_s=30
alarm_delay_s=15
mms_size=320*240
network=auto
incoming_password=off
siren_sound=on
power_alarm=on
sms_arm=off
record_armed=off
mirror=off
record_alarm=off

[timers]
group1_arm=daily,08:30
group1_disarm=daily,18:00
group2_arm=saturday,22:00
group2_disarm=sunday,09:15
group3_arm=off,00:00
group3_disarm=off,00:00

[phones]
voice1=13800138000
voice2=3G8613912345678
voice3=*2101
voice4=
voice5=
voice6=112
sms1=13912345678
sms2=
sms3=
mms1=13800001111
mms2=
mms3=

[devices]
# A record of the devices learnt at the host; a restore does not write them.
device1=sensor number=1 id=12:34:56:78 zone=05 type=pir mode=arm
device2=remote number=2 id=a1:b2:c3
device3=doorbell number=1 id=01:02:03
device4=keypad id=be:ef
)";

TEST(BackupFileTest, WritesNamedFieldsAndReadsThemBack) {
  const BackupHeader header{1, "veyractl 9.9.9", "2024-05-01T09:30:00+02:00"};
  EXPECT_EQ(BackupText(Sample(), header), kSampleText);

  HostConfiguration unusual = Sample();
  unusual.setup =
      settings::SetupRecord{0xDF, 255, 0, 99, 0, 7};             // every flag, 3G only, a size without a name
  unusual.timers[2] = TimedSchedule{3, {2, 23, 59}, {0, 7, 5}};  // an off timer that keeps its time
  unusual.devices = {
      DeviceRecord{DeviceKind::Sensor, 255, {0, 0, 0, 0}, 4, 0x99, 0xF7}};  // codes without names
  for (const HostConfiguration& config : {Sample(), unusual}) {
    const std::string text = BackupText(config, header);
    const BackupParse parse = ParseBackupText(text);
    ASSERT_TRUE(parse.config) << "line " << parse.line << ": " << parse.reason << "\n" << text;
    EXPECT_EQ(*parse.config, config) << text;
    EXPECT_EQ(parse.header.program, header.program);
    EXPECT_EQ(parse.header.date, header.date);
    // Line ends and a byte order mark of an editor on another system change nothing.
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ParseBackupText(crlf).config, config);
  }
}

}  // namespace
}  // namespace veyra::backup

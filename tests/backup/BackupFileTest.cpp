// The backup file as text: every field named and readable, and read back to the same values.
#include <gtest/gtest.h>

#include "backup/BackupFile.h"
#include "tests/backup/SampleConfiguration.h"

namespace veyra::backup {
namespace {

using alarm::TimedSchedule;
using sensors::DeviceKind;
using sensors::DeviceRecord;
using test::Sample;

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

// A refusal quotes what the file holds; bytes a terminal acts on, or that end a C string, must
// arrive as text, and the reason must go on to say what is allowed.
TEST(BackupFileTest, RefusalsShowFileBytesEscaped) {
  using namespace std::string_literals;
  const struct {
    const char* expect;
    std::string from, to;  // the first occurrence of from replaced
    int line;
    std::string reason;
  } rows[] = {
      // clang-format off
      {"an escape sequence in a value is quoted as text", "siren_minutes=3", "siren_minutes=3\x1B[2J", 7,
       "[setup] siren_minutes '3\\x1B[2J': takes a whole number from 0 to 255"},
      {"a NUL in a number is quoted and the reason goes on", "voice1=13800138000", "voice1=138\0""00x"s, 30,
       "[phones] voice1 '138\\x0000x': takes at most 63 characters of digits, *, : and G (empty: no number)"},
      {"an escape sequence in a field name is quoted as text", "mirror=off", "mi\x1B]0;pwned\x07rror=off", 18,
       "unknown field 'mi\\x1B]0;pwned\\x07rror'; [setup] holds siren_minutes"},
      {"an escape sequence in a section name is quoted as text", "[phones]", "[pho\x1Bnes]", 29,
       "unknown section [pho\\x1Bnes]"},
      {"a NUL in the version is quoted and the reason goes on", "version=1", "version=1\0"s, 2,
       "unknown format version '1\\x00'; this program reads version 1"},
      {"a C1 control in a device is quoted as text", "device4=keypad id=be:ef", "device4=keypad id=be:ef x\xC2\x9B", 48,
       "[devices] device4 'keypad id=be:ef x\\xC2\\x9B': 'x\\xC2\\x9B' is not a field of a keypad"},
      {"a bell in a time is quoted as text", "group1_arm=daily,08:30", "group1_arm=daily,08:3\a", 22,
       "[timers] group1_arm 'daily,08:3\\x07': takes DAY,HH:MM"},
      // clang-format on
  };
  const BackupHeader header{1, "veyractl 9.9.9", "2024-05-01T09:30:00+02:00"};
  const std::string text = BackupText(Sample(), header);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::string damaged = text;
    const std::size_t at = damaged.find(row.from);
    ASSERT_NE(at, std::string::npos);
    damaged.replace(at, row.from.size(), row.to);
    const BackupParse parse = ParseBackupText(damaged);
    ASSERT_FALSE(parse.config);
    EXPECT_EQ(parse.line, row.line);
    EXPECT_EQ(parse.reason.rfind(row.reason, 0), 0u) << parse.reason;
    for (char c : parse.reason)
      EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << parse.reason;
  }
}

}  // namespace
}  // namespace veyra::backup

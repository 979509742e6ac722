// The backup file's reader on its own: each way a file can be wrong is refused with its line and
// a reason that says what is allowed, and veyractl's short setup names are taken as the file's.
#include <gtest/gtest.h>

#include <string>

#include "backup/BackupFile.h"
#include "tests/backup/SampleConfiguration.h"

namespace veyra::backup {
namespace {

const BackupHeader kHeader{1, "veyractl 9.9.9", "2024-05-01T09:30:00+02:00"};

// The sample's text with the first occurrence of from replaced by to.
std::string Damaged(const std::string& from, const std::string& to) {
  std::string text = BackupText(test::Sample(), kHeader);
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(BackupParserTest, RefusesADamagedFileWithItsLineAndReason) {
  const struct {
    const char* expect;
    std::string from, to;
    int line;
    std::string reason;  // the start of it
  } rows[] = {
      // clang-format off
      {"a word for the version is refused as unknown", "version=1", "version=one", 2, "unknown format version 'one'; this program reads version 1"},
      {"version 0 is refused as unknown", "version=1", "version=0", 2, "unknown format version '0'"},
      {"a newer version asks for a newer program", "version=1", "version=2", 2, "written in format version 2, newer than this program reads (1); use a newer veyra-setup"},
      {"a newer version is judged before a malformed line", "version=1\n", "version=2\nnonsense\n", 2, "written in format version 2"},
      {"a date that is no date is refused", "date=2024-05-01T09:30:00+02:00", "date=yesterday", 4, "date takes an ISO 8601 date, YYYY-MM-DDTHH:MM:SS"},
      {"an unknown header field is refused", "program=", "author=me\nprogram=", 3, "unknown field 'author'; [veyra-backup] holds version, program and date"},
      {"a missing field is refused at its section", "redial_count=5\n", "", 6, "[setup] has no redial_count field"},
      {"an unknown field is refused with the section's fields", "siren_minutes=3\n", "siren_minutes=3\nsiren_volume=2\n", 8,
       "unknown field 'siren_volume'; [setup] holds siren_minutes, redial_count, arm_delay_s, alarm_delay_s, "
       "mms_size, network, incoming_password, siren_sound, power_alarm, sms_arm, record_armed, mirror, record_alarm"},
      {"a setup value past a byte is refused", "siren_minutes=3", "siren_minutes=256", 7, "[setup] siren_minutes '256': takes a whole number from 0 to 255"},
      {"a short name's value past a byte is refused", "siren_minutes=3", "siren=256", 7, "[setup] siren '256': takes a whole number from 0 to 255"},
      {"a field by its long and short name is refused as given twice", "siren_minutes=3\n", "siren_minutes=3\nsiren=4\n", 8, "[setup] siren given twice"},
      {"a network other than auto or 3g is refused", "network=auto", "network=4g", 12, "[setup] network '4g': takes auto or 3g"},
      {"an option other than on or off is refused", "mirror=off", "mirror=1", 18, "[setup] mirror '1': takes on or off"},
      {"a picture size without a name below 3 is refused", "mms_size=320*240", "mms_size=2", 11, "[setup] mms_size '2': takes 176*144, 320*240 or 640*480"},
      {"hour 24 is refused as out of range", "group1_arm=daily,08:30", "group1_arm=daily,24:00", 22, "[timers] group1_arm 'daily,24:00': time out of range: hours 00 to 23, minutes 00 to 59"},
      {"an unknown day is refused with the days", "group1_arm=daily", "group1_arm=someday", 22,
       "[timers] group1_arm 'someday,08:30': takes DAY,HH:MM with DAY off, daily, monday, tuesday, wednesday, thursday, friday, saturday or sunday"},
      {"letters in a number are refused", "voice1=13800138000", "voice1=1380013800x", 30, "[phones] voice1 '1380013800x': takes at most 63 characters of digits, *, : and G (empty: no number)"},
      {"a device out of order is refused", "device2=", "device5=", 46, "[devices] device5 'remote number=2 id=a1:b2:c3': devices are numbered from device1 in order; expected device2"},
      {"a device id of the wrong length is refused", "id=a1:b2:c3", "id=a1:b2", 46, "[devices] device2 'remote number=2 id=a1:b2': id takes 3 hex pairs joined by ':'"},
      {"a zone of one hex digit is refused", "zone=05", "zone=5", 45, "[devices] device1 'sensor number=1 id=12:34:56:78 zone=5 type=pir mode=arm': zone takes two hex digits"},
      {"a line without = is refused as malformed", "siren_minutes=3", "siren_minutes 3", 7, "not a [section] nor a NAME=VALUE line"},
      {"a field given twice is refused at the second", "network=auto\n", "network=auto\nnetwork=3g\n", 13, "[setup] network given twice"},
      {"an unknown section is refused", "[phones]", "[telephones]", 29, "unknown section [telephones]"},
      {"a section given twice is refused", "[devices]", "[setup]", 43, "[setup] given twice"},
      {"a file without the header is not a backup", "[veyra-backup]", "[config]", 1, "not a backup file: it starts with [veyra-backup]"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const BackupParse parse = ParseBackupText(Damaged(row.from, row.to));
    ASSERT_FALSE(parse.config);
    EXPECT_EQ(parse.line, row.line);
    EXPECT_EQ(parse.reason.substr(0, row.reason.size()), row.reason);
  }
}

TEST(BackupParserTest, RefusesAFileMissingASection) {
  const std::string text = BackupText(test::Sample(), kHeader);
  const std::string cut = text.substr(0, text.find("\n[devices]") + 1);
  const BackupParse parse = ParseBackupText(cut);
  ASSERT_FALSE(parse.config);
  EXPECT_EQ(parse.line, 42) << "the last line";
  EXPECT_EQ(parse.reason, "the file ends without a [devices] section");
}

// A person who knows veyractl's setup-set names writes them into a file by hand: they mean the
// same fields, and the file still says each once.
TEST(BackupParserTest, TakesVeyractlsShortSetupNames) {
  std::string text = BackupText(test::Sample(), kHeader);
  for (const settings::SetupNumberField& field : settings::SetupNumberFields) {
    const std::string name = std::string(field.name) + "=";
    text.replace(text.find(name), name.size(), std::string(field.shortName) + "=");
  }
  const BackupParse parse = ParseBackupText(text);
  ASSERT_TRUE(parse.config) << parse.line << ": " << parse.reason << "\n" << text;
  EXPECT_EQ(*parse.config, test::Sample());
}

TEST(BackupParserTest, ParseAreaListTakesEachAreaOnce) {
  const struct {
    const char* expect;
    const char* list;
    std::optional<AreaSet> areas;
  } rows[] = {
      {"one area is taken", "setup", AreaSet{true, false, false, false}},
      {"two areas are taken in any order", "phones,timers", AreaSet{false, true, true, false}},
      {"every area is taken", "devices,phones,timers,setup", kEveryArea},
      {"an empty list is refused", "", std::nullopt},
      {"an area given twice is refused", "setup,setup", std::nullopt},
      {"an unknown area is refused", "setup,clock", std::nullopt},
      {"a trailing comma is refused", "setup,", std::nullopt},
      {"a blank around a name is refused", "setup, timers", std::nullopt},
      {"a name in capitals is refused", "Setup", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(ParseAreaList(row.list), row.areas);
  }
}

}  // namespace
}  // namespace veyra::backup

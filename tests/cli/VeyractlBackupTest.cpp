// veyractl backup, restore and diff against two simulated hosts: a configuration carried from one
// to the other, hosts that refuse or ignore one item, and damaged files that must send nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "hostsim/AlarmState.h"
#include "hostsim/PtyHost.h"
#include "hostsim/SettingsState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::Hex;
using test::RunVeyractl;

class VeyractlBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    env.MapPort(7, a.DevicePath());
    env.MapPort(8, b.DevicePath());
    env.SetTimeouts(3, 300);
  }
  test::ProcessResult Run(const char* port, std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", port});
    return RunVeyractl(args);
  }
  // Host A as an installer left it: other setup values, a third timer group, numbers changed.
  void ConfigureA() {
    const auto lock = a.Lock();
    for (const char* payload :
         {"06 04 07 09 05 1E 0F 07", "07 08 03 02 07 1E 01 13 00", "01 0D 01 FF", "05 0D 04 55 51 23 4F"})
      ASSERT_EQ(test::Hexes(a.Host().Handle(BuildFrame(Hex(payload)))).size(), 1u) << payload;
  }
  std::string ReadFile(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }

  test::TestEnvironment env;
  test::ScratchDir dir;
  hostsim::PtyHost a, b;
};

TEST_F(VeyractlBackupTest, RoundTripFromOneHostToAnother) {
  ConfigureA();
  const std::string file = dir.Path("host-a.ini");
  const auto backup = Run("COM7", {"backup", file});
  ASSERT_EQ(backup.status, 0) << backup.err;
  EXPECT_EQ(backup.out.rfind("saved " + file + ": setup, timers, phones, ", 0), 0u) << backup.out;
  EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
  const auto nowhere = Run("COM7", {"backup", dir.Path("missing/host-a.ini")});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.err,
            "veyractl: cannot write " + dir.Path("missing/host-a.ini") + ": No such file or directory\n");
  const std::string text = ReadFile(file);
  for (const char* line : {"[veyra-backup]\nversion=1\nprogram=veyractl ", "\nsiren_minutes=9\n",
                           "\nmms_size=7\n", "\nnetwork=3g\n", "\ngroup3_arm=monday,07:30\n", "\nvoice1=\n",
                           "\nvoice4=5551234\n", "\ndevice1=sensor number=1 id="})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

  const auto before = Run("COM8", {"diff", file});
  EXPECT_EQ(before.status, 1) << before.err;
  EXPECT_EQ(before.out,
            "setup.siren_minutes: file 9, host 3\n"
            "setup.mms_size: file 7, host 320*240\n"
            "setup.network: file 3g, host auto\n"
            "setup.incoming_password: file on, host off\n"
            "timers.group3_arm: file monday,07:30, host off,00:00\n"
            "timers.group3_disarm: file daily,19:00, host off,00:00\n"
            "phones.voice1: file (none), host 13800138000\n"
            "phones.voice4: file 5551234, host (none)\n");

  const auto restore = Run("COM8", {"restore", file, "--yes"});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(restore.out, test::RestoreOutput());

  const auto after = Run("COM8", {"diff", file, "--only", "setup,timers,phones,devices"});
  EXPECT_EQ(after.status, 0) << after.err;
  EXPECT_EQ(after.out, "no difference\n");
  // What B holds is what A held, byte for byte.
  const auto lockA = a.Lock();
  const auto lockB = b.Lock();
  EXPECT_EQ(b.Host().Settings().Setup(), a.Host().Settings().Setup());
  for (int group = 1; group <= 3; ++group)
    EXPECT_EQ(b.Host().Alarm().Timer(group), a.Host().Alarm().Timer(group));
  for (int slot = 1; slot <= 12; ++slot)
    EXPECT_EQ(b.Host().Alarm().SlotBytes(slot), a.Host().Alarm().SlotBytes(slot));
}

// Each row restores A's file onto B with one fault; every other item still gets its verdict.
TEST_F(VeyractlBackupTest, RestoreJudgesEveryItem) {
  ConfigureA();
  const std::string file = dir.Path("host-a.ini");
  ASSERT_EQ(Run("COM7", {"backup", file}).status, 0);
  const std::string timers =
      "timers.group1\tacknowledged\ntimers.group2\tacknowledged\ntimers.group3\tacknowledged\n";
  const struct {
    const char* expect;
    std::vector<std::string> args;
    std::string refuseFrom, refuseReply;
    int status;
    std::string out;
    std::size_t frames;  // commands B received
  } rows[] = {
      // clang-format off
      {"a refused number reported refused", {"--yes"}, "0D 05", "AA 00 0D 0C 55", 1, test::RestoreOutput("phones.voice5", "refused"), 16},
      {"a timer group without reply reported", {"--yes"}, "08 02", "", 1, test::RestoreOutput("timers.group2", "no reply"), 18},
      {"a refused setup record reported refused", {"--yes"}, "04", "AA 00 04 05 55", 1, test::RestoreOutput("setup", "refused"), 16},
      {"--only writes its area alone", {"--only", "timers", "--yes"}, "", "", 0, timers + "devices\tnot restored: learn them at the host\n", 3},
      {"restore without --yes sends nothing", {}, "", "", 2, "", 0},
      {"--only devices refused", {"--only", "devices", "--yes"}, "", "", 2, "", 0},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    hostsim::Faults faults;
    faults.refuseFrom = Hex(row.refuseFrom);
    faults.refuseReply = Hex(row.refuseReply);
    b.SetFaults(faults);
    b.ClearLog();
    std::vector<std::string> args = {"restore", file};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto result = Run("COM8", args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(b.FramesReceived().size(), row.frames);
  }
  const auto lock = b.Lock();
  EXPECT_EQ(test::Hexes({b.Host().Alarm().SlotBytes(5)}), test::Hexes({Hex("FF")})) << "refused slot kept";
}

// What a host in the field holds and no dialog would write: a switched-off group kept as 00 FF FF
// goes back as it was; a number of 32 packed bytes has no form a write can carry, so the backup
// says so and the restore writes everything else.
TEST_F(VeyractlBackupTest, WhatTheHostHoldsComesBackOrIsNamed) {
  {
    const auto lock = a.Lock();
    for (const char* payload :
         {"07 08 03 00 FF FF 00 FF FF",
          "21 0D 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
          "00 00 00 00 00 00 00 00"})
      ASSERT_EQ(test::Hexes(a.Host().Handle(BuildFrame(Hex(payload)))).size(), 1u) << payload;
  }
  const std::string file = dir.Path("field.ini");
  const auto backup = Run("COM7", {"backup", file});
  ASSERT_EQ(backup.status, 0) << backup.err;
  EXPECT_NE(backup.out.find("\nphones.voice4: not restorable: "), std::string::npos) << backup.out;
  EXPECT_NE(ReadFile(file).find("(not restorable)"), std::string::npos);

  const struct {
    const char* expect;
    std::vector<std::string> only;
    int status;
    std::string out;
  } rows[] = {
      {"a switched-off group leaves the file restorable",
       {"--only", "timers"},
       0,
       "timers.group1\tacknowledged\ntimers.group2\tacknowledged\ntimers.group3\tacknowledged\n"
       "devices\tnot restored: learn them at the host\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::vector<std::string> args = {"restore", file, "--yes"};
    args.insert(args.end(), row.only.begin(), row.only.end());
    const auto result = Run("COM8", args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.out.find("refused"), std::string::npos) << result.out;
  }
  SCOPED_TRACE("a number no write carries refuses the whole file");
  const auto restored = Run("COM8", {"restore", file, "--yes"});
  EXPECT_EQ(restored.status, 1) << "the host does not hold what the file does";
  EXPECT_NE(restored.out.find("\nphones.voice4\tnot restorable: "), std::string::npos) << restored.out;
  EXPECT_NE(restored.out.find("\nphones.voice5\tacknowledged\n"), std::string::npos) << restored.out;
  const auto lock = b.Lock();
  EXPECT_EQ(b.Host().Alarm().Timer(3), (hostsim::TimerGroup{0, 0xFF, 0xFF, 0, 0xFF, 0xFF}))
      << "as A holds it";
}

// Each row damages a good file one way: refused with its line and reason, and nothing reaches the
// host, not even a login.
TEST_F(VeyractlBackupTest, DamagedFileSendsNothing) {
  const std::string good = dir.Path("good.ini");
  ASSERT_EQ(Run("COM7", {"backup", good}).status, 0);
  const std::string text = ReadFile(good);
  struct Row {
    const char* expect;
    std::string from, to;  // the first occurrence of from replaced
    int line;
    std::string reason;
  } rows[] = {
      // clang-format off
      {"an unknown version refused", "version=1", "version=one", 2, "unknown format version 'one'; this program reads version 1"},
      {"version 0 refused", "version=1", "version=0", 2, "unknown format version '0'"},
      {"a newer version refused as newer", "version=1", "version=2", 2, "written in format version 2, newer than this program reads (1); use a newer veyra-setup"},
      {"a missing field refused", "redial_count=5\n", "", 6, "[setup] has no redial_count field"},
      {"an unknown field refused", "siren_minutes=3\n", "siren_minutes=3\nsiren_volume=2\n", 8,
       "unknown field 'siren_volume'; [setup] holds siren_minutes, redial_count, arm_delay_s, alarm_delay_s, "
       "mms_size, network, incoming_password, siren_sound, power_alarm, sms_arm, record_armed, mirror, record_alarm"},
      {"a setup value past a byte refused", "siren_minutes=3", "siren_minutes=256", 7, "[setup] siren_minutes '256': takes a whole number from 0 to 255"},
      {"hour 24 refused", "group1_arm=daily,08:30", "group1_arm=daily,24:00", 22, "[timers] group1_arm 'daily,24:00': time out of range: hours 00 to 23, minutes 00 to 59"},
      {"an unknown day refused", "group1_arm=daily", "group1_arm=someday", 22,
       "[timers] group1_arm 'someday,08:30': takes DAY,HH:MM with DAY off, daily, monday, tuesday, wednesday, thursday, friday, saturday or sunday"},
      {"letters in a number refused", "voice1=13800138000", "voice1=1380013800x", 30, "[phones] voice1 '1380013800x': takes at most 63 characters of digits, *, : and G (empty: no number)"},
      {"a malformed line refused", "siren_minutes=3", "siren_minutes 3", 7, "not a [section] nor a NAME=VALUE line"},
      {"a field given twice refused", "network=auto\n", "network=auto\nnetwork=3g\n", 13, "[setup] network given twice"},
      {"an unknown section refused", "[phones]", "[telephones]", 29, "unknown section [telephones]"},
      {"a file that is not a backup refused", "[veyra-backup]", "[config]", 1, "not a backup file: it starts with [veyra-backup]"},
      // clang-format on
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expect);
    std::string damaged = text;
    const std::size_t at = damaged.find(row.from);
    ASSERT_NE(at, std::string::npos);
    damaged.replace(at, row.from.size(), row.to);
    const std::string file = dir.Write("damaged.ini", damaged);
    b.ClearLog();
    const auto result = Run("COM8", {"restore", file, "--yes"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("veyractl: " + file + ":" + std::to_string(row.line) + ": " + row.reason, 0),
              0u)
        << result.err;
    EXPECT_NE(result.err.find("; nothing was sent\n"), std::string::npos) << result.err;
    EXPECT_TRUE(b.RawReceived().empty());
  }
}

// backup, restore and diff with --json when they fail: one document, and its "error" says why.
TEST_F(VeyractlBackupTest, AFailingJsonDocumentSaysWhy) {
  const std::string good = dir.Path("good.ini");
  ASSERT_EQ(Run("COM7", {"backup", good}).status, 0);
  const std::string damaged = dir.Write("damaged.ini", "[config]\n");
  const struct {
    const char* expect;
    std::vector<std::string> args;
    bool silent;
    std::string refuseFrom, refuseReply;
    int status;
    std::string error;  // found in "error"
  } rows[] = {
      // clang-format off
      {"backup's write failure in the document", {"backup", dir.Path("missing/b.ini")}, false, "", "", 1, "cannot write " + dir.Path("missing/b.ini")},
      {"backup's read failure in the document", {"backup", dir.Path("b.ini")}, true, "", "", 1, "reading the host failed"},
      {"restore's damaged file in the document", {"restore", damaged, "--yes"}, false, "", "", 1, "not a backup file"},
      {"restore's refused item reported as an error", {"restore", good, "--yes"}, false, "0D 05", "AA 00 0D 0C 55", 1, "not every item was acknowledged"},
      {"diff of a missing file prints a document", {"diff", dir.Path("missing.ini")}, false, "", "", 2, "nothing compared"},
      {"diff against a silent host prints a document", {"diff", good}, true, "", "", 2, "reading the host failed"},
      // clang-format on
  };
  env.SetTimeouts(1, 200);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    hostsim::Faults faults;
    faults.silent = row.silent;
    faults.refuseFrom = Hex(row.refuseFrom);
    faults.refuseReply = Hex(row.refuseReply);
    b.SetFaults(faults);
    std::vector<std::string> args = row.args;
    args.push_back("--json");
    const auto result = Run("COM8", args);
    EXPECT_EQ(result.status, row.status) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out, nullptr, false);
    if (document.is_discarded()) {
      ADD_FAILURE() << "no document: " << result.out << result.err;
      continue;
    }
    EXPECT_EQ(result.out.find('\n'), result.out.size() - 1) << "one document on one line: " << result.out;
    EXPECT_EQ(document.value("ok", true), false) << result.out;
    EXPECT_NE(document.value("error", "").find(row.error), std::string::npos) << result.out;
  }
}

}  // namespace
}  // namespace veyra

// veyractl against a host slower than the reply window, which answers every copy of a command the
// program had to write again: each record once, each item judged by its own reply, and a clean
// host's output for every command. Also a restore that reports as it goes and gives up on a host
// that has stopped answering.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/PtyHost.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::Hex;

constexpr int kWaitMs = 100;
// Later than the window, so the command is written again and the host answers both copies.
constexpr int kLateMs = 140;

class VeyractlSlowHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    env.MapPort(7, host.DevicePath());
    env.SetTimeouts(3, kWaitMs);
  }
  test::ProcessResult Run(std::vector<std::string> args, int timeoutMs = 20000) {
    args.insert(args.begin(), {"--port", "COM7"});
    return test::RunProcess(
        [&] {
          args.insert(args.begin(), VEYRACTL_PATH);
          return args;
        }(),
        timeoutMs);
  }
  void Slow(bool firstCopyOnly, const std::string& refuseFrom = {}, const std::string& refuseReply = {}) {
    hostsim::Faults faults;
    faults.lateMs = kLateMs;
    faults.lateFirstCopyOnly = firstCopyOnly;
    faults.refuseFrom = Hex(refuseFrom);
    faults.refuseReply = Hex(refuseReply);
    host.SetFaults(faults);
  }

  test::TestEnvironment env;
  test::ScratchDir dir;
  hostsim::PtyHost host;
};

TEST_F(VeyractlSlowHostTest, EveryCommandSaysWhatAHostInTimeSays) {
  const std::string file = dir.Path("host.ini");
  ASSERT_EQ(Run({"backup", file}).status, 0);
  const struct {
    const char* expect;
    std::vector<std::string> args;
    std::string refuseFrom, refuseReply;
    int status;
    std::string out;  // empty: what the host says in time
  } rows[] = {
      // clang-format off
      {"history prints every record once", {"history"}, "", "", 0, ""},
      {"sensors prints every device once", {"sensors"}, "", "", 0, ""},
      {"timers prints every group once", {"timers"}, "", "", 0, ""},
      {"phones ends at its twelfth slot", {"phones"}, "", "", 0, ""},
      {"diff compares each area with its own answer", {"diff", file}, "", "", 0, "no difference\n"},
      {"restore takes each item's acknowledgement from its own reply", {"restore", file, "--yes"}, "", "", 0, ""},
      {"restore reports an unanswered slot as no reply", {"restore", file, "--yes"}, "0D 07", "", 1, test::RestoreOutput("phones.sms1", "no reply")},
      {"restore shows a slot's refusal on that slot", {"restore", file, "--yes"}, "0D 07", "AA 00 0D 0C 55", 1, test::RestoreOutput("phones.sms1", "refused")},
      // Last: it changes the host the file was taken from.
      {"setup-set judges the write by its own acknowledgement", {"setup-set", "siren=5"}, "", "", 0, ""},
      // clang-format on
  };
  for (const auto& row : rows) {
    host.SetFaults({});
    const test::ProcessResult clean = Run(row.args);
    ASSERT_EQ(clean.status, 0) << row.expect << clean.err;
    for (const bool firstCopyOnly : {false, true}) {
      SCOPED_TRACE(std::string(row.expect) +
                   (firstCopyOnly ? ", repeat answered at once" : ", every copy late"));
      Slow(firstCopyOnly, row.refuseFrom, row.refuseReply);
      const test::ProcessResult slow = Run(row.args);
      EXPECT_EQ(slow.status, row.status) << slow.err;
      EXPECT_EQ(slow.out, row.out.empty() ? clean.out : row.out);
      EXPECT_EQ(slow.err, "");
    }
  }
}

// One veyractl after another, as a script runs them: the copies a slow host still owes the first
// must not answer the second.
TEST_F(VeyractlSlowHostTest, AnOwedCopyDoesNotAnswerTheNextVeyractl) {
  host.SetFaults({});
  const std::string armed = Run({"arm"}).out, disarmed = Run({"disarm"}).out;
  ASSERT_NE(armed, disarmed);
  Slow(false);
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(Run({"arm"}).out, armed);
    EXPECT_EQ(Run({"disarm"}).out, disarmed);
  }
}

TEST_F(VeyractlSlowHostTest, RestoreReportsEachItemAsItGoesAndStopsOnAGoneHost) {
  const std::string file = dir.Path("host.ini");
  ASSERT_EQ(Run({"backup", file}).status, 0);
  std::string notSent;
  for (const char* kind : {"group2", "group3"}) notSent += std::string("timers.") + kind + "\tnot sent\n";
  for (const char* kind : {"voice1", "voice2", "voice3", "voice4", "voice5", "voice6", "sms1", "sms2", "sms3",
                           "mms1", "mms2", "mms3"})
    notSent += std::string("phones.") + kind + "\tnot sent\n";
  {
    SCOPED_TRACE("a silent host's restore ends with a line per item");
    hostsim::Faults silent;
    silent.silent = true;
    host.SetFaults(silent);
    host.ClearLog();
    const test::ProcessResult result = Run({"restore", file, "--yes"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "setup\tno reply\ntimers.group1\tno reply\n" + notSent +
                              "devices\tnot restored: learn them at the host\n");
    EXPECT_EQ(host.FramesReceived().size(), 6u) << "two items, three copies each, then nothing";
  }
  {
    SCOPED_TRACE("a restore cut short has printed what reached the host");
    env.SetTimeouts(3, 2000);
    hostsim::Faults phonesIgnored;
    phonesIgnored.refuseFrom = Hex("0D");
    host.SetFaults(phonesIgnored);
    // Ended from outside while the first telephone slot waits for its reply.
    const test::ProcessResult result = Run({"restore", file, "--yes"}, 3000);
    EXPECT_EQ(result.status, -1);
    EXPECT_EQ(result.out,
              "setup\tacknowledged\ntimers.group1\tacknowledged\ntimers.group2\tacknowledged\n"
              "timers.group3\tacknowledged\n");
  }
}

}  // namespace
}  // namespace veyra

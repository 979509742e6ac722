// Multi-frame answers end: on a quiet line, on a lost line, and at bounds no real host reaches.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "cli/ListBounds.h"
#include "hostsim/AlarmState.h"
#include "link/HostPort.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using session::FrameQueue;
using session::ListBounds;
using session::ListEnd;
using session::ReadList;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const Bytes kFrame = test::Hex("AA 00 33 33 55");  // decodes as nothing any list wants

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

TEST(ReadListTest, EndsAtEachOfItsLimits) {
  {
    SCOPED_TRACE("frames queued before a quiet line are read, and the quiet line ends the list");
    FrameQueue link;
    for (int i = 0; i < 3; ++i) link.OnReply({}, kFrame);
    int seen = 0;
    EXPECT_EQ(
        ReadList(link, 20, {100, std::chrono::seconds(10)}, [&](const Bytes&) { return ++seen, false; }),
        ListEnd::Quiet);
    EXPECT_EQ(seen, 3);
  }
  {
    SCOPED_TRACE("a list of known length ends at its last frame");
    FrameQueue link;
    for (int i = 0; i < 3; ++i) link.OnReply({}, kFrame);
    int seen = 0;
    EXPECT_EQ(
        ReadList(link, 60000, {100, std::chrono::minutes(1)}, [&](const Bytes&) { return ++seen == 2; }),
        ListEnd::Complete);
    EXPECT_EQ(seen, 2) << "the frame after the last is the next command's";
  }
  {
    SCOPED_TRACE("a flood of frames stops at the frame bound");
    FrameQueue link;
    for (int i = 0; i < 10; ++i) link.OnReply({}, kFrame);
    int seen = 0;
    EXPECT_EQ(
        ReadList(link, 1000, {5, std::chrono::seconds(10)}, [&](const Bytes&) { return ++seen, false; }),
        ListEnd::FrameBound);
    EXPECT_EQ(seen, 5);
  }
  {
    SCOPED_TRACE("a lost line ends the list at once, after what came before it");
    FrameQueue link;
    link.OnReply({}, kFrame);
    link.OnReply({}, kFrame);
    link.OnLineLost();
    int seen = 0;
    const auto start = Clock::now();
    EXPECT_EQ(
        ReadList(link, 10000, {100, std::chrono::seconds(10)}, [&](const Bytes&) { return ++seen, false; }),
        ListEnd::LineLost);
    EXPECT_EQ(seen, 2);
    EXPECT_LT(MsSince(start), 5000);
  }
  {
    SCOPED_TRACE("frames closer than the quiet time stop at the time bound");
    FrameQueue link;
    std::atomic<bool> stop{false};
    std::thread talker([&] {
      while (!stop) {
        link.OnReply({}, kFrame);
        std::this_thread::sleep_for(milliseconds(5));
      }
    });
    const auto start = Clock::now();
    const ListEnd end =
        ReadList(link, 1000, {1000000, milliseconds(150)}, [](const Bytes&) { return false; });
    const long long took = MsSince(start);
    stop = true;
    talker.join();
    EXPECT_EQ(end, ListEnd::TimeBound);
    EXPECT_GE(took, 150);
    EXPECT_LT(took, 5000);
  }
}

TEST(ReadListTest, BoundTextsNameTheBound) {
  const ListBounds bounds{100, std::chrono::minutes(1)};
  EXPECT_EQ(cli::ListBoundText("timers", ListEnd::FrameBound, bounds),
            "veyractl: timers stopped after 100 frames, more than a host sends");
  EXPECT_EQ(cli::ListBoundText("timers", ListEnd::TimeBound, bounds),
            "veyractl: timers stopped after 60 seconds, longer than a host talks");
  EXPECT_EQ(cli::ListBoundText("timers", ListEnd::Quiet, bounds), "");
  EXPECT_EQ(cli::ListBoundText("timers", ListEnd::LineLost, bounds), "");
}

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

class VeyractlListBoundsTest : public test::PtyHostFixture {
 protected:
  // Runs veyractl while the host, once it has read the command, sends `count` more frames.
  test::ProcessResult RunFlooded(std::vector<std::string> args, int count) {
    auto run = std::async(std::launch::async, [&args] { return test::RunVeyractl(args); });
    EXPECT_EQ(host.WaitForFrames(1, 10000), 1u);
    Bytes flood;
    for (int i = 0; i < count; ++i) flood.insert(flood.end(), kFrame.begin(), kFrame.end());
    host.Inject(flood);
    return run.get();
  }
};

TEST_F(VeyractlListBoundsTest, AFloodOfFramesStopsAtTheFrameBoundWithWhatCame) {
  const struct {
    const char* expect;
    std::vector<std::string> args;  // after --port COM7
    int flood;
    // Timers and phones end at their last frame: the flood must be the whole answer.
    bool silentHost;
    std::size_t outLines;  // what the host's own answer printed; npos for one line per log record
    std::string bound;
  } rows[] = {
      // clang-format off
      {"timers stops at the frame bound on frames that decode as nothing", {"timers"}, 150, true, 0, "after 100 frames"},
      {"phones stops at the frame bound on frames that decode as nothing", {"phones"}, 150, true, 0, "after 100 frames"},
      {"history stops at the frame bound", {"history"}, 10050, false, std::string::npos, "after 10000 frames"},
      {"send prints every frame up to the bound", {"send", "00", "09"}, 10050, false, 10000, "after 10000 frames"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    host.ClearLog();
    hostsim::Faults faults;
    faults.silent = row.silentHost;
    host.SetFaults(faults);
    std::vector<std::string> args = {"--port", "COM7"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto result = RunFlooded(args, row.flood);
    EXPECT_EQ(result.status, 1) << result.err;
    std::size_t lines = row.outLines;
    if (lines == std::string::npos) {
      auto lock = host.Lock();
      lines = host.Host().Alarm().LogSize();
    }
    EXPECT_EQ(LineCount(result.out), lines) << result.out;
    EXPECT_NE(result.err.find("veyractl: " + row.args[0] + " stopped " + row.bound), std::string::npos)
        << result.err;
  }
}

TEST_F(VeyractlListBoundsTest, AHostHangingUpMidListIsAFailureThatSaysSo) {
  env.SetTimeouts(3, 1000);
  const struct {
    const char* expect;
    std::string command;
    std::string outStart;
  } rows[] = {
      {"history cut short by a hang-up exits 1 and says so once", "history", "1\t"},
      {"timers cut short by a hang-up exits 1 and says so once", "timers", "1\t"},
      {"send cut short by a hang-up exits 1 and says so once", "send", "AA "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    hostsim::PtyHost cutting;
    ASSERT_TRUE(cutting.Start());
    env.MapPort(kHostCom, cutting.DevicePath());
    hostsim::Faults faults;
    // The first record whole, then the line goes: the host answers lists one frame per record.
    faults.hangUpAfterBytes = 1000;
    cutting.SetFaults(faults);
    std::vector<std::string> args = {"--port", "COM7", row.command};
    if (row.command == "send") args.insert(args.end(), {"00", "02"});
    const auto start = Clock::now();
    const auto result = test::RunVeyractl(args);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out.rfind(row.outStart, 0), 0u) << result.out << result.err;
    EXPECT_NE(result.out.find(std::string(kLineLostText) + "\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find(kLineLostText), result.out.rfind(kLineLostText)) << "said once";
    EXPECT_LT(MsSince(start), 3000) << "the lost line does not end the list at once";
  }
}

TEST_F(VeyractlListBoundsTest, ListsAnsweredWithFramesThatDecodeAsNothingSaySo) {
  env.SetTimeouts(1, 300);
  hostsim::Faults other;
  other.replaceReply = kFrame;
  host.SetFaults(other);
  const struct {
    const char* expect;
    std::string command;
    std::string out;
  } rows[] = {
      {"timers exits 1 and says so", "timers", "Сбой!\n"},
      {"phones exits 1 and says so", "phones", "Сбой при получении телефонных номеров!\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto result = test::RunVeyractl({"--port", "COM7", row.command});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out, row.out);
  }
}

TEST_F(VeyractlListBoundsTest, AnUnansweredListReturnsWhenTheExchangeEnds) {
  env.SetTimeouts(1, 1500);
  hostsim::Faults silent;
  silent.silent = true;
  host.SetFaults(silent);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--port", "COM7", "history"}, {"--port", "COM7", "send", "00", "02"}}) {
    SCOPED_TRACE(args[2] + " returns when the exchange ends");
    const auto start = Clock::now();
    const auto result = test::RunVeyractl(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_LT(MsSince(start), 2700);
  }
}

}  // namespace
}  // namespace veyra

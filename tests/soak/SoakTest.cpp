// Long runs against the simulated host on a pseudo-terminal: every feature's command, thousands of
// times, with the line misbehaving at random; and the adapter pulled out mid-frame again and
// again; and a serial server on the network killed under the program again and again. What an
// installer's afternoon does to the program, in a few seconds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "features/alarm/HistoryCodec.h"
#include "features/alarm/OperateCodec.h"
#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "features/sensors/MmsCodec.h"
#include "features/sensors/SensorListCodec.h"
#include "features/sensors/SmartHomeCodec.h"
#include "features/settings/ClockCodec.h"
#include "features/settings/SetupCodec.h"
#include "session/LoginCodec.h"
#include "tests/common/LinkHarness.h"
#include "tests/common/Ser2net.h"

namespace veyra {
namespace {

using namespace alarm;
using namespace sensors;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

struct Command {
  std::string name;
  Bytes payload;
  std::vector<Bytes> reply;  // what the host answers on a clean line, read once before the soak
};

// Commands whose answer does not depend on what ran before, so one clean reading of each answer
// stays right however the soak interleaves them.
std::vector<Command> MixedCommands() {
  std::vector<Command> commands = {
      {"login", session::LoginPayload(1234), {}},
      {"arm", OperatePayload(Operation::Arm), {}},
      {"disarm", OperatePayload(Operation::Disarm), {}},
      {"partial arm", OperatePayload(Operation::Partial), {}},
      {"history", HistoryReadPayload(), {}},
      {"telephone numbers", PhoneReadPayload(), {}},
      {"telephone 5", *PhoneWritePayload(5, "89001234567").payload, {}},
      {"timed look-up", TimedLookupPayload(), {}},
      {"timed set", *TimedSetPayload({2, {1, 7, 30}, {1, 18, 5}}).payload, {}},
      {"setup read", settings::SetupReadPayload(), {}},
      {"setup write", settings::SetupWritePayload({0x03, 3, 5, 30, 10, 1}), {}},
      {"clock", settings::ClockPayload({2026, 12, 6, 0, 15, 49, 11}), {}},
      {"sensor list", SensorListPayload(), {}},
      {"smart-home ID", *SmartHomeIdPayload("123456").payload, {}},
      {"smart-home trigger", *SingleTriggerPayload(3), {}},
      {"MMS APN", *MmsApnPayload("internet").payload, {}},
      {"MMS gateway", *MmsGatewayPayload("10.0.0.1", "8080", WapVersion::Wap20).payload, {}},
  };
  return commands;
}

enum class Fault {
  None,
  Garbage,
  WrongAck,
  InnerAa,
  ByteAtATime,
  Silence,
  Late,
  SlowFirstCopy,
  SlowEveryCopy
};
constexpr int kFaultCount = 9;
const char* const kFaultNames[kFaultCount] = {"none",
                                              "garbage",
                                              "wrong ack",
                                              "0xAA inside",
                                              "byte-split",
                                              "silent host",
                                              "late reply",
                                              "first copy slower than the window",
                                              "every copy slower than the window"};

int Count(const char* procDir) {
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(procDir)) ++entries;
  return entries;
}
struct Held {
  int fds = Count("/proc/self/fd");
  int threads = Count("/proc/self/task");
  bool operator==(const Held&) const = default;
};

// A thread that has ended may still be on its way out of the kernel's books for a moment.
Held SettledHeld(const Held& expected) {
  Held now;
  for (int i = 0; i < 200 && !(now == expected); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    now = Held();
  }
  return now;
}

int SoakExchanges() {
  const char* text = std::getenv("VEYRA_SOAK_EXCHANGES");
  return text ? std::atoi(text) : 10000;
}

// A window as the soak sees it: the replies of its current exchange, with the command each was
// filed under, taken away exchange by exchange so thousands of them cost nothing to check.
class SoakWindow final : public HostLink {
 public:
  ~SoakWindow() override { ReleasePort(); }
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override {
    {
      std::lock_guard lock(mutex_);
      sentWith_.push_back(sentFrame);
      replies_.push_back(receivedFrame);
      ++total_;
    }
    cv_.notify_all();
  }
  // Waits (bounded) for count replies, then hands over what came and forgets it.
  std::vector<Bytes> Take(std::size_t count, std::vector<Bytes>& sentWith) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(5), [&] { return replies_.size() >= count; });
    sentWith = std::exchange(sentWith_, {});
    return std::exchange(replies_, {});
  }
  std::size_t Total() const {
    std::lock_guard lock(mutex_);
    return total_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Bytes> replies_, sentWith_;
  std::size_t total_ = 0;
};

class SoakTest : public test::LinkHarness {
 protected:
  static constexpr int kCleanWaitMs = 3000;  // generous: a loaded machine must not fake a silence
  static constexpr int kShortWaitMs = 5;
  static constexpr int kLateMs = 25;
  // A host slower than the window answers every copy written: the window is shorter than its
  // delay, and three of them leave room for a loaded machine to still see the answer.
  static constexpr int kSlowWindowMs = 20;
  static constexpr int kSlowMs = 30;
};

TEST_F(SoakTest, MixedCommandsUnderRandomFaultsReachTheirOwnWindowAsTheFaultsDictate) {
  std::vector<Command> commands = MixedCommands();
  // Three windows take turns with the port, as they do when the installer moves between them.
  std::vector<std::unique_ptr<SoakWindow>> windows;
  for (int i = 0; i < 3; ++i) windows.push_back(std::make_unique<SoakWindow>());
  const Held before;
  for (auto& window : windows) window->SetCommn(&port);
  Open();

  {
    // The simulated host is the oracle of what a clean line carries. Twice: the writes of the first
    // round change what the reads before them answer.
    auto lock = host.Lock();
    for (int round = 0; round < 2; ++round)
      for (Command& command : commands) command.reply = host.Host().Handle(BuildFrame(command.payload));
  }
  for (const Command& command : commands) ASSERT_FALSE(command.reply.empty()) << command.name;

  std::mt19937 random(20261206);
  const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const Bytes wrongAck = {0xAA, 0x00, 0x0E, 0x0E, 0x55};
  const Bytes innerAa = {0xAA, 0x01, 0x0D, 0xAA, 0xB8, 0x55};
  const int exchanges = SoakExchanges();
  int counts[kFaultCount] = {};
  std::size_t hostFrames = 0, expectedHanded = 0;
  int lastTimes = 0, lastWait = 0;
  // The copies the program wrote, and the frames the link kept from every window.
  std::atomic<std::size_t> written{0}, dropped{0};
  std::atomic<steady_clock::rep> lastWrittenAt{0};
  port.SetTrace([&](TraceKind kind, const Bytes&) {
    if (kind == TraceKind::Sent) {
      lastWrittenAt = steady_clock::now().time_since_epoch().count();
      ++written;
    }
    if (kind == TraceKind::Repeat || kind == TraceKind::Stale) ++dropped;
  });
  for (int n = 0; n < exchanges; ++n) {
    const Command& command = commands[pick(static_cast<int>(commands.size()))];
    SoakWindow& window = *windows[pick(3)];
    window.SetCommn(&port);
    const bool shortAnswer = command.reply.size() <= 3;  // slow faults only where they stay short
    const int roll = pick(100);
    Fault fault = roll < 60   ? Fault::None
                  : roll < 61 ? Fault::SlowFirstCopy
                  : roll < 62 ? Fault::SlowEveryCopy
                  : roll < 76 ? Fault::Garbage
                  : roll < 84 ? Fault::WrongAck
                  : roll < 92 ? Fault::InnerAa
                  : roll < 96 ? Fault::ByteAtATime
                  : roll < 98 ? Fault::Silence
                              : Fault::Late;
    if (!shortAnswer && (fault == Fault::ByteAtATime || fault == Fault::Late)) fault = Fault::None;
    ++counts[static_cast<int>(fault)];
    SCOPED_TRACE("exchange " + std::to_string(n) + ": " + command.name + ", " +
                 kFaultNames[static_cast<int>(fault)]);

    hostsim::Faults faults;
    std::vector<Bytes> expected = command.reply;
    int times = 1, wait = kCleanWaitMs;
    switch (fault) {
      case Fault::None:
        break;
      case Fault::Garbage:
        for (int i = 1 + pick(8); i > 0; --i)
          faults.garbageBefore.push_back(static_cast<std::uint8_t>(pick(256)));
        break;
      case Fault::WrongAck:
        faults.replaceReply = wrongAck;
        break;
      case Fault::InnerAa:
        faults.replaceReply = innerAa;
        break;
      case Fault::ByteAtATime:
        faults.splitGapMs = 1;
        break;
      case Fault::Silence:
        faults.silent = true;
        times = 2, wait = kShortWaitMs;
        expected.clear();
        break;
      case Fault::Late:
        faults.delayMs = kLateMs;
        wait = kShortWaitMs;
        break;
      case Fault::SlowFirstCopy:
      case Fault::SlowEveryCopy:
        // Each record once, whatever number of copies the host answers.
        faults.lateMs = kSlowMs;
        faults.lateFirstCopyOnly = fault == Fault::SlowFirstCopy;
        times = 3, wait = kSlowWindowMs;
        break;
    }
    if (faults.replaceReply) expected.assign(command.reply.size(), *faults.replaceReply);
    host.SetFaults(faults);
    if (times != lastTimes || wait != lastWait) env.SetTimeouts(lastTimes = times, lastWait = wait);

    const std::size_t writtenBefore = written;
    window.ClearPayload();
    const int result = window.SendAndWait(command.payload, -1, -1);
    // From the copy written, not from the call: the call may first have waited out a slow host's
    // copies of the exchange before.
    const bool overran =
        steady_clock::now() - steady_clock::time_point(steady_clock::duration(lastWrittenAt.load())) >=
        milliseconds(kLateMs);
    const bool answered = fault != Fault::Silence && (fault != Fault::Late || overran);
    ASSERT_EQ(result, answered ? 1 : 0);
    std::vector<Bytes> sentWith;
    ASSERT_EQ(window.Take(expected.size(), sentWith), expected);
    expectedHanded += expected.size();
    for (const Bytes& sent : sentWith)
      ASSERT_EQ(sent, BuildFrame(command.payload)) << "a reply is filed with its own command";
    // A copy is written by the reader thread; one still pending when the next attempt begins takes
    // that attempt's place, so a loaded machine may put fewer copies on the line, never more.
    const std::size_t copiesWritten = written - writtenBefore;
    const std::size_t copies =
        host.WaitForFrames(hostFrames + copiesWritten, copiesWritten > 1 ? 1000 : 5000) - hostFrames;
    ASSERT_TRUE(copies >= 1 && copies <= static_cast<std::size_t>(times)) << copies << " copies";
    hostFrames += copies;
  }
  std::this_thread::sleep_for(milliseconds(200));  // time for a stray frame to show
  std::size_t handed = 0;
  for (const auto& window : windows) handed += window->Total();
  EXPECT_EQ(handed, expectedHanded) << "nothing more came than the faults allow";
  EXPECT_GT(dropped, 0u) << "the slow hosts' copies reached the line and were kept from the windows";
  port.SetTrace(nullptr);
  for (int fault = 0; fault < kFaultCount; ++fault) EXPECT_GT(counts[fault], 0) << kFaultNames[fault];
  std::printf(
      "%d exchanges, %zu frames handed to three windows, %zu copies and stale frames dropped; faults:",
      exchanges, handed, dropped.load());
  for (int fault = 0; fault < kFaultCount; ++fault) std::printf(" %s %d,", kFaultNames[fault], counts[fault]);
  std::printf("\n");

  port.Close();
  windows.clear();
  EXPECT_EQ(SettledHeld(before), before) << "no thread or descriptor outlives the port";
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SoakTest, AHundredUnplugsMidFrameEachEndTheReaderAndTheNextPlugWorks) {
  host.Stop();  // each cycle brings its own adapter
  const Held before;
  std::mt19937 random(6122026);
  constexpr int kCycles = 100;
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    {
      hostsim::PtyHost adapter;
      ASSERT_TRUE(adapter.Start());
      env.MapPort(kCom, adapter.DevicePath());
      env.SetTimeouts(1, kCleanWaitMs);
      Open();
      ASSERT_EQ(Send(OperatePayload(Operation::Arm)), 1) << "the new plug works at once";
      hostsim::Faults unplug;
      unplug.hangUpAfterBytes = std::uniform_int_distribution<int>(0, 4)(random);
      adapter.SetFaults(unplug);
      env.SetTimeouts(3, kCleanWaitMs);
      ASSERT_EQ(Send(OperatePayload(Operation::Disarm)), 0);
      ASSERT_TRUE(port.WaitFor(PortEvent::Disconnected, cycle));
      EXPECT_EQ(link.IsPortOpen(), 0);
      ASSERT_EQ(adapter.FramesReceived().size(), 2u) << "no attempt after the line was lost";
    }
    ASSERT_EQ(SettledHeld(before), before) << "the reader thread ended and nothing is held";
  }
  EXPECT_EQ(port.Count(PortEvent::Disconnected), kCycles);
  std::size_t lost = 0;
  for (const std::string& text : messages.Texts()) lost += text == kLineLostText;
  EXPECT_EQ(lost, static_cast<std::size_t>(kCycles)) << "told once per unplug";
}

TEST_F(SoakTest, FortyServersKilledUnderTheLinkEachLoseTheLineOnceAndTheNextConnectionWorks) {
  if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
  const Held before;
  constexpr int kCycles = 40;
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    const bool rfc2217 = cycle % 2 == 0;
    SCOPED_TRACE("cycle " + std::to_string(cycle) + (rfc2217 ? " over RFC 2217" : " over raw TCP"));
    {
      test::Ser2net server;
      ASSERT_TRUE(server.Start({test::Ser2net::Serial(rfc2217, host.DevicePath())}));
      env.SetTimeouts(1, kCleanWaitMs);
      ASSERT_EQ(link.OpenDevicePort(server.Url(0), -1), 1) << "the server taken back at once";
      ASSERT_EQ(Send(OperatePayload(Operation::Arm)), 1);
      server.Kill();
      ASSERT_TRUE(port.WaitFor(PortEvent::Disconnected, cycle));
      EXPECT_EQ(link.IsPortOpen(), 0);
    }
    ASSERT_EQ(SettledHeld(before), before) << "the reader thread ended and no socket is held";
  }
  EXPECT_EQ(port.Count(PortEvent::Disconnected), kCycles);
  std::size_t lost = 0;
  for (const std::string& text : messages.Texts()) lost += text == kLineLostText;
  EXPECT_EQ(lost, static_cast<std::size_t>(kCycles)) << "told once per server killed";
}

}  // namespace
}  // namespace veyra

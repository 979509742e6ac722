#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/common/LinkHarness.h"

namespace veyra {
namespace {

using test::LinkHarness;
using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// A host that misbehaves in one way.
template <class T>
hostsim::Faults With(T hostsim::Faults::*fault, T value) {
  hostsim::Faults faults;
  faults.*fault = value;
  return faults;
}

class HostLinkTest : public LinkHarness {
 protected:
  // A host slower than the 100 ms window, answering every copy, at the pace of a 9600-baud line.
  void OpenOnASlowPacedHost() {
    Open();
    env.SetTimeouts(3, 100);
    hostsim::Faults slow;
    slow.lateMs = 140;
    slow.pace = true;
    host.SetFaults(slow);
  }
};

TEST_F(HostLinkTest, CommandAndReplyCrossTheLineByteForByte) {
  Open();
  // Bytes a tty not in raw mode would translate, swallow or act on, both ways.
  const Bytes payload{0x08, 0x0D, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x7F, 0x00, 0x1C};
  ASSERT_EQ(Send(payload), 1);
  ASSERT_TRUE(link.WaitForReplies(1));
  EXPECT_EQ(host.RawReceived(), BuildFrame(payload));
  EXPECT_EQ(link.Received().at(0), (Bytes{0xAA, 0x00, 0x0D, 0x0D, 0x55}));
  EXPECT_EQ(link.SentWith().at(0), BuildFrame(payload)) << "OnReply gets the link's own SentFrame";
  const Bytes back = BuildFrame({0x07, 0x02, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x7F, 0x04});
  host.Inject(back);
  ASSERT_TRUE(link.WaitForReplies(2));
  EXPECT_EQ(link.Received().at(1), back);
  EXPECT_EQ(port.ReceivedSize(), 0u);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(HostLinkTest, RetriesFollowTimeoutSettings) {
  struct Row {
    const char* expect;
    int times, waittime;
    hostsim::Faults faults;
    int result;
    std::size_t written;
    long minMs, maxMs;
  };
  using F = hostsim::Faults;
  // Each command reads config.ini afresh: times go 3, 0, 2 down the rows.
  const Row rows[] = {
      {"a silent host gets every attempt, a wait apart", 3, 300, With(&F::silent, true), 0, 3, 850, 2500},
      {"retries stop once the host answered the second copy", 3, 300, With(&F::answerFromAttempt, 2), 1, 2,
       250, 1500},
      {"times=0 neither writes nor waits", 0, 300, {}, 0, 0, 0, 250},
      {"a reply at the line rate is taken", 2, 500, With(&F::pace, true), 1, 1, 0, 900},
      {"a reply split byte by byte is taken", 2, 500, With(&F::splitGapMs, 5), 1, 1, 0, 900},
      {"a reply after garbage or a false start is taken", 2, 500,
       With(&F::garbageBefore, Bytes{0x12, 0x34, 0x55, 0xAA, 0x01}), 1, 1, 0, 900},
  };
  Open();
  for (const Row& row : rows) {
    env.SetTimeouts(row.times, row.waittime);
    host.SetFaults(row.faults);
    host.ClearLog();
    const auto start = Clock::now();
    EXPECT_EQ(Send({0x00, 0x0A}), row.result) << row.expect;
    const long elapsed = ElapsedMs(start);
    EXPECT_GE(elapsed, row.minMs) << row.expect;
    EXPECT_LE(elapsed, row.maxMs) << row.expect;
    if (row.written) host.WaitForFrames(row.written, 1000);
    EXPECT_EQ(host.FramesReceived().size(), row.written) << row.expect;
    host.SetFaults({});
  }
}

TEST_F(HostLinkTest, UnreadableConfigIsReportedAndLastSettingsStay) {
  Open();
  env.SetTimeouts(2, 200);
  ASSERT_EQ(Send({0x00, 0x09}), 1);
  std::filesystem::remove(env.ConfigPath());
  std::filesystem::create_directory(env.ConfigPath());  // cannot be read as a file
  host.SetFaults(With(&hostsim::Faults::silent, true));
  host.ClearLog();
  EXPECT_EQ(Send({0x00, 0x09}), 0);
  EXPECT_EQ(host.WaitForFrames(2, 1000), 2u) << "the exchange runs with the settings last read";
  ASSERT_FALSE(messages.Messages().empty());
  EXPECT_EQ(messages.Messages().at(0),
            (Message{"加载配置文件config.ini失败！\n", "错误", false, Icon::None}));
  EXPECT_EQ(link.CheckAck("09", {0xAA, 0x00, 0x09, 0x09, 0x55}), 0);
  EXPECT_EQ(messages.Texts().back(), "加载命令文件config.ini失败！\n");
}

TEST_F(HostLinkTest, CheckAckComparesTheTablePrefix) {
  struct Row {
    const char* expect;
    const char* key;
    Bytes frame;
    int result;
  };
  const Row rows[] = {
      {"the expected acknowledgement is accepted", "09", {0xAA, 0x00, 0x09, 0x09, 0x55}, 1},
      {"a different checksum byte is accepted", "09", {0xAA, 0x00, 0x09, 0x08, 0x55}, 0},
      {"bytes beyond the expected ones are not compared", "09", {0xAA, 0x00, 0x09, 0x09, 0x55, 0x01}, 1},
      {"a shorter frame does not match", "09", {0xAA, 0x00, 0x09, 0x09}, 0},
      {"a key the table does not list accepts any reply", "0C", {0x01}, 1},
      {"keys are case-sensitive: 0a is unlisted and accepts any reply", "0a", {0x01}, 1},
      {"the login key's FF entry matches", "01", {0xAA, 0x00, 0x01, 0xFF, 0x55}, 1},
  };
  for (const Row& row : rows) EXPECT_EQ(link.CheckAck(row.key, row.frame), row.result) << row.expect;
  EXPECT_EQ(test::RecordingLink().CheckAck("09", {0xAA, 0x00, 0x09, 0x09, 0x55}), 0) << "no port attached";
}

TEST_F(HostLinkTest, LateReplyStillReachesOnReplyAfterTheWaitGaveUp) {
  Open();
  env.SetTimeouts(1, 100);
  host.SetFaults(With(&hostsim::Faults::delayMs, 300));
  EXPECT_EQ(Send({0x00, 0x0B}), 0);
  ASSERT_TRUE(link.WaitForReplies(1));
  EXPECT_EQ(link.Received().at(0), (Bytes{0xAA, 0x00, 0x0B, 0x0B, 0x55}));
}

// A host slower than the window, at line speed: the next command goes while the first answer's
// frames are still coming. Those frames are the first command's, the copies of them nobody's, and
// the next command's answer its own.
TEST_F(HostLinkTest, ANextCommandDuringASlowHostsListLosesNoneOfItAndTakesNoneOfIt) {
  OpenOnASlowPacedHost();
  const Bytes read = BuildFrame({0x00, 0x0C}), arm = BuildFrame({0x00, 0x09}),
              disarm = BuildFrame({0x00, 0x0A});
  std::vector<Bytes> numbers;
  {
    const auto lock = host.Lock();
    numbers = host.Host().Handle(read);
  }
  ASSERT_EQ(numbers.size(), 12u);
  ASSERT_EQ(Send({0x00, 0x0C}), 1);
  ASSERT_LT(link.Received().size(), numbers.size()) << "the list is still coming";
  ASSERT_EQ(Send({0x00, 0x09}), 1);
  ASSERT_EQ(Send({0x00, 0x0A}), 1);  // so the arm's own copies have come and gone too
  ASSERT_TRUE(link.WaitForReplies(numbers.size() + 2));
  std::vector<Bytes> expected = numbers, sentWith(numbers.size(), read);
  expected.push_back(BuildFrame({0x00, 0x09}));
  sentWith.push_back(arm);
  expected.push_back(BuildFrame({0x00, 0x0A}));
  sentWith.push_back(disarm);
  EXPECT_EQ(link.Received(), expected) << "the rest of the list lost, or a copy of it taken";
  EXPECT_EQ(link.SentWith(), sentWith) << "the rest of the list judged against the arm";
}

// The next command's payload is cleared, receive buffer and all, while a slow host's copy of the
// last answer is coming: a copy cut in half no longer matches the answer, and its rest would reach
// the window as the last command's rows a second time.
TEST_F(HostLinkTest, ClearingThePayloadWhileACopyIsComingCutsNoneOfIt) {
  OpenOnASlowPacedHost();
  std::atomic<int> copies{0};
  port.SetTrace([&copies](TraceKind kind, const Bytes&) { copies += kind == TraceKind::Repeat ? 1 : 0; });
  ASSERT_EQ(Send({0x00, 0x0C}), 1);
  ASSERT_TRUE(link.WaitForReplies(12));
  for (int i = 0; i < 3000 && copies < 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_GE(copies, 1) << "the copy has begun";
  // A window clears its payload whenever it builds a command; at line speed one of these lands
  // inside a frame of the copy.
  for (int i = 0; i < 200 && copies < 12; ++i) {
    link.ClearPayload();
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  ASSERT_EQ(Send({0x00, 0x09}), 1);
  port.SetTrace(nullptr);
  ASSERT_TRUE(link.WaitForReplies(13));
  EXPECT_EQ(link.Received().size(), 13u) << "the rest of a cut copy taken as the numbers again";
  EXPECT_EQ(link.Received().back(), BuildFrame({0x00, 0x09}));
}

// A lost line ends the exchange waiting on it, and later commands on it fail at once.
TEST_F(HostLinkTest, UnplugMidFrameEndsTheExchangeAndTheThreadOnceAndAReopenWorks) {
  Open();
  EXPECT_TRUE(port.WaitFor(PortEvent::Connected, 1));
  host.SetFaults(With(&hostsim::Faults::hangUpAfterBytes, 3));
  env.SetTimeouts(3, 2000);
  const auto start = Clock::now();
  EXPECT_EQ(Send({0x00, 0x09}), 0);
  EXPECT_LT(ElapsedMs(start), 1500) << "three attempts of 2 s each waited out on a line that is gone";
  EXPECT_EQ(Send({0x00, 0x09}), 0) << "a later command on the lost line";
  EXPECT_EQ(host.FramesReceived().size(), 1u);
  ASSERT_TRUE(port.WaitFor(PortEvent::Disconnected, 1));
  EXPECT_EQ(link.IsPortOpen(), 0);
  EXPECT_EQ(port.Count(PortEvent::Disconnected), 1);

  hostsim::PtyHost replacement;
  ASSERT_TRUE(replacement.Start());
  env.MapPort(kCom, replacement.DevicePath());
  Open();
  env.SetTimeouts(3, 1000);
  EXPECT_EQ(Send({0x00, 0x09}), 1);
  port.Close();
  EXPECT_EQ(port.Count(PortEvent::Disconnected), 2) << "exactly one Disconnected per open";
  EXPECT_EQ(port.Count(PortEvent::Connected), 2);
  std::size_t lostBoxes = 0;
  for (const std::string& text : messages.Texts()) lostBoxes += text == kLineLostText;
  EXPECT_EQ(lostBoxes, 1u) << "the lost line is told once, and a close is no lost line";
}

TEST_F(HostLinkTest, ReopenJoinsTheOldReaderBeforeTheNewOpen) {
  for (int i = 0; i < 5; ++i) Open();
  EXPECT_TRUE(port.WaitFor(PortEvent::Connected, 5));
  EXPECT_EQ(port.Count(PortEvent::Disconnected), 4);
  EXPECT_EQ(Send({0x00, 0x09}), 1);
  EXPECT_EQ(link.GetPortNumber(), kCom);
}

TEST_F(HostLinkTest, AFailedOpenSaysWhyAndStartsNothing) {
  test::CountingPort other;
  test::RecordingLink otherLink;
  otherLink.SetCommn(&other);
  EXPECT_EQ(otherLink.OpenPort(42), 0);  // no such port
  Open();
  EXPECT_EQ(otherLink.OpenPort(kCom), 0);  // held by the fixture's link
  const auto shown = messages.Messages();
  ASSERT_EQ(shown.size(), 4u);  // each failure with the system's reason after it
  EXPECT_EQ(shown[0].text, "打开 COM42 失败");
  EXPECT_EQ(shown[2], (Message{"打开 COM7 失败", "错误！", false, Icon::None}));
  EXPECT_EQ(shown[3].caption, "Error");
  EXPECT_NE(shown[3].text.find("Another program holds the port"), std::string::npos) << shown[3].text;
  EXPECT_EQ(other.Count(PortEvent::Connected), 0);
  EXPECT_EQ(otherLink.IsPortOpen(), 0);
  EXPECT_EQ(otherLink.GetPortNumber(), -1) << "a failed open leaves the number as it was";
  other.SetOwner(nullptr);
}

TEST_F(HostLinkTest, WriteTakes255BytesAndDropsA256ByteBlock) {
  Open();
  Bytes block255(255, 0x01);
  port.Write(block255.data(), block255.size());
  ASSERT_TRUE(port.WaitFor(PortEvent::DataSent, 1));
  Bytes block256(256, 0x02);
  port.Write(block256.data(), block256.size());
  EXPECT_EQ(Send({0x00, 0x09}), 1);
  const Bytes raw = host.RawReceived();
  EXPECT_EQ(raw.size(), 255u + 5u) << "the 256-byte block must not reach the line";
  EXPECT_EQ(std::count(raw.begin(), raw.end(), 0x02), 0);
}

TEST_F(HostLinkTest, SetCommnWithoutPortComplainsAndChangesNothing) {
  link.SetCommn(nullptr);
  EXPECT_EQ(messages.Messages().at(0), (Message{"不能传参数0给SetCommn方法！", "错误", false, Icon::None}));
  EXPECT_EQ(port.Owner(), &link);
}

// A frame that arrives while no link owns the port waits for the next owner; a destroyed link
// leaves the port without one and is never handed a frame.
TEST_F(HostLinkTest, FrameArrivingWithoutOwnerGoesToTheNextOwnerNotToADestroyedOne) {
  Open();
  {
    test::RecordingLink dialog;
    dialog.SetCommn(&port);
  }
  EXPECT_EQ(port.Owner(), nullptr);
  host.Inject({0xAA, 0x00, 0x0F, 0x0F, 0x55});
  for (int i = 0; i < 100 && port.ReceivedSize() < 5; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(port.ReceivedSize(), 5u);
  link.SetCommn(&port);
  host.Inject({0xAA, 0x00, 0x09, 0x09, 0x55});
  ASSERT_TRUE(link.WaitForReplies(1));
  EXPECT_EQ(link.Received().at(0), (Bytes{0xAA, 0x00, 0x0F, 0x0F, 0x55}));
}

}  // namespace
}  // namespace veyra

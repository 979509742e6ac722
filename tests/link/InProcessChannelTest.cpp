// The serial channel on an in-process device: the same reader thread, events and rules as on a
// device, on every platform. The peer here is a scripted one, so each row can hold the device in
// the state its fault needs; the simulated host behind the same device is tested in tests/hostsim.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "link/ComPorts.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/InProcessDevice.h"
#include "link/OpenErrorText.h"
#include "link/SerialChannel.h"

namespace veyra {
namespace {

constexpr int kWaitMs = 3000;

// A device end that records what reaches it and sends what a row tells it to.
class ScriptedPeer final : public InProcessPeer {
 public:
  void Opened(std::shared_ptr<InProcessLine> line) override {
    std::lock_guard lock(mutex_);
    line_ = std::move(line);
    ++opened_;
    changed_.notify_all();
  }
  void Received(const std::uint8_t* bytes, std::size_t count) override {
    std::unique_lock lock(mutex_);
    ++blocks_;
    inside_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !held_; });
    inside_ = false;
    received_.insert(received_.end(), bytes, bytes + count);
    if (answer_) {
      // A reply in pieces, each its own send, as a host's bytes come over a line in several reads.
      for (const Bytes& piece : answer_(Bytes(bytes, bytes + count))) line_->Send(piece.data(), piece.size());
    }
    changed_.notify_all();
  }
  void Closed() override {
    std::lock_guard lock(mutex_);
    ++closed_;
    changed_.notify_all();
  }

  std::shared_ptr<InProcessLine> Line() {
    std::lock_guard lock(mutex_);
    return line_;
  }
  Bytes ReceivedBytes() {
    std::lock_guard lock(mutex_);
    return received_;
  }
  int Opens() {
    std::lock_guard lock(mutex_);
    return opened_;
  }
  int Closes() {
    std::lock_guard lock(mutex_);
    return closed_;
  }
  int Blocks() {
    std::lock_guard lock(mutex_);
    return blocks_;
  }
  bool WaitFor(const std::function<bool()>& done) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(kWaitMs), done);
  }
  bool WaitForBytes(std::size_t count) {
    return WaitFor([&] { return received_.size() >= count; });
  }
  bool WaitForCloses(int count) {
    return WaitFor([&] { return closed_ >= count; });
  }
  // While held, a written block stays inside Received: the channel's write is still pending.
  void Hold(bool held) {
    {
      std::lock_guard lock(mutex_);
      held_ = held;
    }
    changed_.notify_all();
  }
  bool WaitUntilInside() {
    return WaitFor([this] { return inside_; });
  }
  void AnswerWith(std::function<std::vector<Bytes>(const Bytes&)> answer) {
    std::lock_guard lock(mutex_);
    answer_ = std::move(answer);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::shared_ptr<InProcessLine> line_;
  Bytes received_;
  int opened_ = 0, closed_ = 0, blocks_ = 0;
  bool held_ = false, inside_ = false;
  std::function<std::vector<Bytes>(const Bytes&)> answer_;
};

// A channel that records the bytes it reads and counts its notifications.
class RecordingChannel final : public SerialChannel {
 public:
  ~RecordingChannel() override { Shutdown(); }
  int Count(PortEvent kind) {
    std::lock_guard lock(mutex_);
    return counts_[static_cast<int>(kind)];
  }
  bool WaitFor(PortEvent kind, int count) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(kWaitMs),
                        [&] { return counts_[static_cast<int>(kind)] >= count; });
  }
  Bytes Read() {
    std::lock_guard lock(mutex_);
    return read_;
  }
  bool WaitForBytes(std::size_t count) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(kWaitMs), [&] { return read_.size() >= count; });
  }
  void Write(const Bytes& bytes) { SerialChannel::Write(bytes.data(), bytes.size()); }
  bool DisconnectedOnReaderThread() {
    std::lock_guard lock(mutex_);
    return disconnectedOnReader_;
  }

 protected:
  void OnEvent(SerialChannel*, PortEvent kind) override {
    {
      std::lock_guard lock(mutex_);
      ++counts_[static_cast<int>(kind)];
      if (kind == PortEvent::DataReceived) {
        EXPECT_EQ(LastReadCount(), 1u) << "bytes are handed on one at a time";
        read_.insert(read_.end(), ReadBuffer(), ReadBuffer() + LastReadCount());
      }
      if (kind == PortEvent::Disconnected) disconnectedOnReader_ = OnReaderThread();
    }
    cv_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  int counts_[kPortEventCount] = {};
  Bytes read_;
  bool disconnectedOnReader_ = false;
};

// A link that records the frames it is handed.
class RecordingLink final : public HostLink {
 public:
  ~RecordingLink() override { ReleasePort(); }
  void OnReply(const Bytes&, const Bytes& received) override {
    std::lock_guard lock(mutex_);
    frames_.push_back(received);
  }
  std::vector<Bytes> Frames() {
    std::lock_guard lock(mutex_);
    return frames_;
  }

 private:
  std::mutex mutex_;
  std::vector<Bytes> frames_;
};

// The threads of this process where the system tells (Linux); nullopt elsewhere.
std::optional<std::size_t> ThreadCount() {
  std::error_code error;
  std::filesystem::directory_iterator tasks("/proc/self/task", error);
  if (error) return std::nullopt;
  std::size_t count = 0;
  for (auto it = tasks; it != std::filesystem::directory_iterator(); it.increment(error)) ++count;
  return count;
}

// Whether the process is back to count threads, within a bound: a thread that has been joined may
// still be on its way out of the kernel's books for a moment. True where threads are not counted.
bool ThreadsBackTo(std::optional<std::size_t> count) {
  for (int i = 0; i < 200 && ThreadCount() != count; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return ThreadCount() == count;
}

Bytes AllByteValues(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

// One device registered for a row, and a channel to open it with.
struct Bench {
  ScriptedPeer peer;
  InProcessRegistration registration = RegisterInProcessDevice("channel-test", "Test device", peer);
  RecordingChannel channel;
  int Com() const { return ComForDevice(registration.Device()).value_or(-1); }
  bool Open() { return channel.OpenCom(Com()) == 1; }
};

TEST(InProcessChannel, BehavesAsADeviceDoes) {
  const struct {
    const char* expect;
    std::function<void(Bench&)> run;
  } rows[] = {
      {"an open reaches the peer and raises Connected",
       [](Bench& b) {
         ASSERT_TRUE(b.registration.Registered());
         ASSERT_TRUE(b.Open());
         EXPECT_TRUE(b.channel.WaitFor(PortEvent::Connected, 1));
         EXPECT_EQ(b.channel.IsOpen(), 1);
         EXPECT_EQ(b.channel.GetPortNumber(), b.Com());
         EXPECT_EQ(b.channel.DeviceName(), "inproc:channel-test");
         EXPECT_FALSE(b.channel.ModemLinesWatched());
         EXPECT_EQ(b.peer.Opens(), 1);
       }},
      {"a written block arrives whole, unchanged and reported sent",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         // Every value a line can carry, the ones a tty not in raw mode acts on among them.
         const Bytes block = AllByteValues(255);
         b.channel.Write(block);
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::DataSent, 1));
         EXPECT_EQ(b.peer.ReceivedBytes(), block);
         EXPECT_EQ(b.peer.Blocks(), 1);
         b.channel.Write(AllByteValues(256));
         b.channel.Write({0x01});
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::DataSent, 2));
         EXPECT_EQ(b.peer.ReceivedBytes().size(), 256u) << "a 256-byte block is dropped, as on a device";
       }},
      {"bytes from the peer arrive unchanged, one DataReceived each",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         const Bytes all = AllByteValues(256);
         ASSERT_TRUE(b.peer.Line()->Send(all.data(), 100));
         ASSERT_TRUE(b.peer.Line()->Send(all.data() + 100, 156));
         ASSERT_TRUE(b.channel.WaitForBytes(256));
         EXPECT_EQ(b.channel.Read(), all);
         EXPECT_EQ(b.channel.Count(PortEvent::DataReceived), 256);
       }},
      {"a reply split over several sends is put together for the link",
       [](Bench& b) {
         HostPort port;
         RecordingLink link;
         link.SetCommn(&port);
         b.peer.AnswerWith([](const Bytes&) {
           return std::vector<Bytes>{{0xAA}, {0x00, 0x0D}, {0x0D, 0x55}};
         });
         ASSERT_EQ(link.OpenPort(b.Com()), 1);
         ExchangeSettings::times = 1;
         ExchangeSettings::waittime = kWaitMs;
         link.Payload = {0x00, 0x0D};
         EXPECT_EQ(link.SendAndWait(link.Payload, 1, kWaitMs), 1);
         EXPECT_EQ(b.peer.ReceivedBytes(), BuildFrame({0x00, 0x0D}));
         ASSERT_EQ(link.Frames().size(), 1u);
         EXPECT_EQ(link.Frames()[0], (Bytes{0xAA, 0x00, 0x0D, 0x0D, 0x55}));
         link.ClosePort();
       }},
      {"a write while one is pending is dropped",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         b.peer.Hold(true);
         b.channel.Write({0x01, 0x02});
         ASSERT_TRUE(b.peer.WaitUntilInside());
         b.channel.Write({0x03});  // the first is still pending
         b.peer.Hold(false);
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::DataSent, 1));
         b.channel.Write({0x04});
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::DataSent, 2));
         EXPECT_EQ(b.peer.ReceivedBytes(), (Bytes{0x01, 0x02, 0x04}));
         EXPECT_EQ(b.channel.Count(PortEvent::DataSent), 2);
       }},
      {"a reopen starts clean and the peer is told of the close",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         const std::shared_ptr<InProcessLine> first = b.peer.Line();
         b.channel.Close();
         EXPECT_EQ(b.peer.Closes(), 1);
         EXPECT_EQ(b.channel.IsOpen(), 0);
         const Bytes stale{0xEE};
         EXPECT_FALSE(first->Send(stale.data(), stale.size())) << "a closed line takes nothing";
         ASSERT_TRUE(b.Open());
         EXPECT_EQ(b.peer.Opens(), 2);
         const Bytes fresh{0x11};
         ASSERT_TRUE(b.peer.Line()->Send(fresh.data(), fresh.size()));
         ASSERT_TRUE(b.channel.WaitForBytes(1));
         EXPECT_EQ(b.channel.Read(), fresh);
         EXPECT_EQ(b.channel.Count(PortEvent::Connected), 2);
         EXPECT_EQ(b.channel.Count(PortEvent::Disconnected), 1);
       }},
      {"a close from another thread raises Disconnected once, no lost line",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::Connected, 1));
         std::thread([&b] { b.channel.Close(); }).join();
         EXPECT_EQ(b.channel.IsOpen(), 0);
         EXPECT_FALSE(b.channel.LineLost());
         EXPECT_EQ(b.channel.Count(PortEvent::Disconnected), 1);
         EXPECT_TRUE(b.channel.DisconnectedOnReaderThread());
         EXPECT_EQ(b.peer.Closes(), 1);
         b.channel.Close();
         EXPECT_EQ(b.channel.Count(PortEvent::Disconnected), 1);
       }},
      {"a hang-up keeps what was sent before it and is a lost line",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         const Bytes last{0xAA, 0x01, 0x02};
         ASSERT_TRUE(b.peer.Line()->Send(last.data(), last.size()));
         b.peer.Line()->HangUp();
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::Disconnected, 1));
         EXPECT_EQ(b.channel.Read(), last);
         EXPECT_TRUE(b.channel.LineLost());
         EXPECT_EQ(b.channel.IsOpen(), 0);
         EXPECT_TRUE(b.peer.WaitForCloses(1));
         EXPECT_TRUE(b.Open()) << "a device that hung up can be opened again, as a replugged one";
       }},
      {"a second opener is refused as busy",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         RecordingChannel other;
         EXPECT_EQ(other.OpenCom(b.Com()), 0);
         EXPECT_EQ(other.LastErrno(), kBusyDeviceError);
         EXPECT_EQ(other.IsOpen(), 0);
         b.channel.Close();
         EXPECT_EQ(other.OpenCom(b.Com()), 1) << "free again once closed";
       }},
      {"a device that is gone is neither opened nor listed",
       [](Bench& b) {
         const int com = b.Com();
         b.registration.Reset();
         EXPECT_EQ(b.channel.OpenDevice("inproc:channel-test", com), 0);
         EXPECT_EQ(b.channel.LastErrno(), kNoSuchDeviceError);
         // Its COM number is not tried again: once free, the system may have a port of its own
         // under it (Wine gives COM1 to /dev/ttyS0).
         const auto ports = ListComPorts();
         if (ports) {
           for (const ComPort& port : *ports) EXPECT_NE(port.device, "inproc:channel-test");
         }
         EXPECT_EQ(b.peer.Opens(), 0);
       }},
      {"a registration ending under an open line loses the line",
       [](Bench& b) {
         ASSERT_TRUE(b.Open());
         b.registration.Reset();
         ASSERT_TRUE(b.channel.WaitFor(PortEvent::Disconnected, 1));
         EXPECT_TRUE(b.channel.LineLost());
         b.channel.Write({0x01});
         EXPECT_EQ(b.peer.Blocks(), 0) << "nothing reaches a peer whose registration ended";
       }},
      {"a close or the channel going ends the reader thread",
       [](Bench& b) {
         const std::optional<std::size_t> before = ThreadCount();
         ASSERT_TRUE(b.Open());
         b.channel.Close();
         EXPECT_TRUE(ThreadsBackTo(before));
         {
           RecordingChannel going;
           ASSERT_EQ(going.OpenCom(b.Com()), 1);
           ASSERT_TRUE(going.WaitFor(PortEvent::Connected, 1));
         }
         EXPECT_TRUE(ThreadsBackTo(before));
         EXPECT_EQ(b.peer.Closes(), 2) << "the channel going closes its device";
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    Bench bench;
    row.run(bench);
  }
}

}  // namespace
}  // namespace veyra

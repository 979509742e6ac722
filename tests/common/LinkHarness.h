// A link on a real pseudo-terminal with the simulated host behind it: what the link tests and
// the feature tests stand on.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "link/HostLink.h"
#include "link/HostPort.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/TestHost.h"

namespace veyra::test {

// A port that counts its notifications.
class CountingPort : public HostPort {
 public:
  ~CountingPort() override { Shutdown(); }
  int Count(PortEvent kind) const {
    std::lock_guard lock(mutex_);
    return counts_[static_cast<int>(kind)];
  }
  bool WaitFor(PortEvent kind, int count, int timeoutMs = 3000) const {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return counts_[static_cast<int>(kind)] >= count; });
  }

 protected:
  void OnEvent(SerialChannel* port, PortEvent kind) override {
    HostPort::OnEvent(port, kind);
    {
      std::lock_guard lock(mutex_);
      ++counts_[static_cast<int>(kind)];
    }
    cv_.notify_all();
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  int counts_[kPortEventCount] = {};
};

// A link that records every reply it is handed.
class RecordingLink : public HostLink {
 public:
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override {
    {
      std::lock_guard lock(mutex_);
      sent_.push_back(sentFrame);
      received_.push_back(receivedFrame);
    }
    cv_.notify_all();
  }
  std::vector<Bytes> Received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }
  std::vector<Bytes> SentWith() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }
  bool WaitForReplies(std::size_t count, int timeoutMs = 3000) const {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return received_.size() >= count; });
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  std::vector<Bytes> sent_, received_;
};

class LinkHarness : public ::testing::Test {
 protected:
  static constexpr int kCom = 7;

  void SetUp() override {
    ASSERT_TRUE(host.Start());
    env.MapPort(kCom, host.DevicePath());
    link.SetCommn(&port);
  }
  void TearDown() override {
    port.SetOwner(nullptr);
    port.Close();
    host.Stop();
  }
  void Open() { ASSERT_EQ(link.OpenPort(kCom), 1) << "messages: " << messages.Messages().size(); }
  int Send(const Bytes& payload) {
    link.ClearPayload();
    link.Payload = payload;
    return link.SendAndWait(link.Payload, -1, -1);
  }

  TestEnvironment env;
  RecordingNotifier messages;
  TestHost host;
  CountingPort port;
  RecordingLink link;
};

}  // namespace veyra::test

// A manual-reset event: set by the reader thread when a frame is recognised, reset before each
// transmission, waited on by the user-interface thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace veyra {

class ReplyEvent {
 public:
  void Set();
  void Reset();
  bool IsSet() const;
  // True when set within the time; keepAlive runs every few milliseconds while waiting.
  bool WaitFor(int milliseconds, const std::function<void()>& keepAlive = {});

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool set_ = false;
};

}  // namespace veyra

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
  // Clears both the event and an abandonment.
  void Reset();
  bool IsSet() const;
  // Ends a wait in progress, and any until the next Reset, without a reply: none can come.
  void Abandon();
  // True when set within the time; keepAlive runs every few milliseconds while waiting.
  bool WaitFor(int milliseconds, const std::function<void()>& keepAlive = {});

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool set_ = false;
  bool abandoned_ = false;
};

}  // namespace veyra

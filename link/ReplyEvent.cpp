#include "link/ReplyEvent.h"

namespace veyra {

void ReplyEvent::Set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  cv_.notify_all();
}

void ReplyEvent::Reset() {
  std::lock_guard lock(mutex_);
  set_ = false;
  abandoned_ = false;
}

void ReplyEvent::Abandon() {
  {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
  }
  cv_.notify_all();
}

bool ReplyEvent::IsSet() const {
  std::lock_guard lock(mutex_);
  return set_;
}

bool ReplyEvent::WaitFor(int milliseconds, const std::function<void()>& keepAlive) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
  std::unique_lock lock(mutex_);
  const auto ended = [this] { return set_ || abandoned_; };
  if (!keepAlive) {
    cv_.wait_until(lock, deadline, ended);
    return set_;
  }
  // Slices, so a window can repaint between them.
  constexpr auto kSlice = std::chrono::milliseconds(15);
  while (!ended()) {
    const auto now = Clock::now();
    if (now >= deadline) return false;
    const auto until = std::min(deadline, now + kSlice);
    if (cv_.wait_until(lock, until, ended)) break;
    lock.unlock();
    keepAlive();
    lock.lock();
  }
  return set_;
}

}  // namespace veyra

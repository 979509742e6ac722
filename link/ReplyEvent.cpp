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
}

bool ReplyEvent::IsSet() const {
  std::lock_guard lock(mutex_);
  return set_;
}

bool ReplyEvent::WaitFor(int milliseconds, const std::function<void()>& keepAlive) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
  std::unique_lock lock(mutex_);
  if (!keepAlive) return cv_.wait_until(lock, deadline, [this] { return set_; });
  // Slices, so a window can repaint between them.
  constexpr auto kSlice = std::chrono::milliseconds(15);
  while (!set_) {
    const auto now = Clock::now();
    if (now >= deadline) return false;
    const auto until = std::min(deadline, now + kSlice);
    if (cv_.wait_until(lock, until, [this] { return set_; })) return true;
    lock.unlock();
    keepAlive();
    lock.lock();
  }
  return true;
}

}  // namespace veyra

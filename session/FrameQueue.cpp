#include "session/FrameQueue.h"

#include <algorithm>

#include "link/Notifier.h"

namespace veyra::session {
namespace {

// How long one wait lasts before the window, if there is one, is given a chance to paint.
constexpr auto kKeepAliveSlice = std::chrono::milliseconds(20);

}  // namespace

void FrameQueue::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

void FrameQueue::OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) {
  std::lock_guard delivery(deliveryMutex_);
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
  }
  if (handler) handler(sentFrame, receivedFrame);
  {
    std::lock_guard lock(mutex_);
    frames_.push_back(receivedFrame);
  }
  cv_.notify_all();
}

void FrameQueue::OnLineLost() {
  {
    std::lock_guard lock(mutex_);
    lost_ = true;
  }
  cv_.notify_all();
}

bool FrameQueue::LineLost() const {
  std::lock_guard lock(mutex_);
  return lost_;
}

bool FrameQueue::Send(const Bytes& payload) {
  Drop();
  ClearPayload();
  Payload = payload;
  return SendAndWait(Payload, -1, -1) != 0;
}

std::optional<Bytes> FrameQueue::Next(int quietMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point quietEnd = Clock::now() + std::chrono::milliseconds(std::max(0, quietMs));
  std::unique_lock lock(mutex_);
  while (frames_.empty() && !lost_) {
    const Clock::time_point now = Clock::now();
    if (now >= quietEnd) break;
    cv_.wait_until(lock, std::min<Clock::time_point>(quietEnd, now + kKeepAliveSlice));
    lock.unlock();
    Messages().KeepAlive();
    lock.lock();
  }
  if (frames_.empty()) return std::nullopt;
  Bytes frame = std::move(frames_.front());
  frames_.pop_front();
  return frame;
}

void FrameQueue::Drop() {
  std::lock_guard delivery(deliveryMutex_);
  std::lock_guard lock(mutex_);
  frames_.clear();
}

int QuietMs() {
  const int wait = ExchangeSettings::waittime.load();
  return wait > 0 ? wait : 1000;
}

ListEnd ReadList(FrameQueue& queue, int quietMs, const ListBounds& bounds,
                 const std::function<bool(const Bytes&)>& take) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + bounds.maxTime;
  const auto quiet = std::chrono::milliseconds(std::max(0, quietMs));
  for (int frames = 0;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= std::chrono::milliseconds::zero()) return ListEnd::TimeBound;
    const auto wait = std::min(quiet, left);
    const std::optional<Bytes> frame = queue.Next(static_cast<int>(wait.count()));
    if (!frame) {
      if (queue.LineLost()) return ListEnd::LineLost;
      return wait < quiet ? ListEnd::TimeBound : ListEnd::Quiet;
    }
    if (take(*frame)) return ListEnd::Complete;
    if (++frames >= bounds.maxFrames) return ListEnd::FrameBound;
  }
}

}  // namespace veyra::session

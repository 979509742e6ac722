#include "hostsim/FaultyHost.h"

#include <algorithm>
#include <chrono>

namespace veyra::hostsim {

void FaultyHost::Read(const std::uint8_t* bytes, std::size_t count) {
  std::lock_guard lock(mutex_);
  raw_.insert(raw_.end(), bytes, bytes + count);
}

Answer FaultyHost::Take(const Bytes& frame) {
  Answer answer;
  std::vector<Bytes> replies;
  int repeatsNow = 0;
  {
    std::lock_guard lock(mutex_);
    frames_.push_back(frame);
    repeats_ = (frame == lastFrame_) ? repeats_ + 1 : 1;
    repeatsNow = repeats_;
    lastFrame_ = frame;
    answer.faults = faults_;
    faults_.hangUpAfterBytes = -1;  // one hang-up, on the next reply only
    const Faults& faults = answer.faults;
    const bool refused = !faults.refuseFrom.empty() && frame.size() >= 2 + faults.refuseFrom.size() &&
                         std::equal(faults.refuseFrom.begin(), faults.refuseFrom.end(), frame.begin() + 2);
    if (refused && !faults.refuseReply.empty()) replies = {faults.refuseReply};
    if (!refused && !faults.silent && repeats_ >= faults.answerFromAttempt) replies = host_.Handle(frame);
  }
  framesCame_.notify_all();
  const Faults& faults = answer.faults;
  for (const Bytes& reply : replies) {
    Bytes out = faults.garbageBefore;
    const Bytes& body = faults.replaceReply ? *faults.replaceReply : reply;
    out.insert(out.end(), body.begin(), body.end());
    answer.frames.push_back(std::move(out));
  }
  if (!answer.frames.empty() && (!faults.lateFirstCopyOnly || repeatsNow == 1)) answer.waitMs = faults.lateMs;
  if (faults.hangUpAfterBytes >= 0 && !answer.frames.empty()) {
    // Only the first frame's first bytes go out: the line is gone before the rest.
    Bytes& first = answer.frames.front();
    first.resize(std::min(first.size(), static_cast<std::size_t>(faults.hangUpAfterBytes)));
    answer.frames.resize(1);
    answer.hangUp = true;
  }
  return answer;
}

void FaultyHost::SetFaults(const Faults& faults) {
  std::lock_guard lock(mutex_);
  faults_ = faults;
  lastFrame_.clear();  // "from the k-th copy" counts from here
  repeats_ = 0;
}

Faults FaultyHost::CurrentFaults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

Bytes FaultyHost::RawReceived() const {
  std::lock_guard lock(mutex_);
  return raw_;
}

std::vector<Bytes> FaultyHost::FramesReceived() const {
  std::lock_guard lock(mutex_);
  return frames_;
}

std::size_t FaultyHost::WaitForFrames(std::size_t count, int timeoutMs) const {
  std::unique_lock lock(mutex_);
  framesCame_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return frames_.size() >= count; });
  return frames_.size();
}

void FaultyHost::ClearLog() {
  std::lock_guard lock(mutex_);
  raw_.clear();
  frames_.clear();
}

}  // namespace veyra::hostsim

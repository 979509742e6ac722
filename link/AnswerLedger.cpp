#include "link/AnswerLedger.h"

#include <algorithm>

namespace veyra {

void AnswerLedger::Begin(Clock::time_point now, int waittimeMs) {
  Reset();
  waittimeMs_ = waittimeMs;
  lastActivity_ = now;
}

void AnswerLedger::AttemptWritten(Clock::time_point now) {
  if (attempts_ == 0) firstAttempt_ = now;
  ++attempts_;
  lastAttempt_ = now;
  lastActivity_ = now;
  // A copy written although the answer had just come (the window closed a moment before it):
  // the host will answer that copy too.
  if (!answer_.empty()) ++owed_;
}

void AnswerLedger::StartSettling(Clock::time_point now) {
  settling_ = true;
  settleStart_ = now;
}

std::optional<AnswerLedger::Clock::time_point> AnswerLedger::SettleDeadline() const {
  if (attempts_ == 0) return std::nullopt;
  const Clock::duration window = Window();
  if (answer_.empty()) {
    // No copy was answered in time, yet a host slower than every window may still answer each:
    // one more quiet window before the line is trusted again. A late answer that does come turns
    // this into the case below, with its copies owed.
    const Clock::time_point quietFrom = std::max(lastAttempt_ + window, lastActivity_);
    return std::min(quietFrom + window, settleStart_ + (attempts_ + 1) * window);
  }
  const int remaining = owed_ + (repeatAt_ > 0 ? 1 : 0);
  if (remaining == 0) return std::nullopt;
  // A host that answers its commands one after the other sends each further copy at most as long
  // after the last as the whole answer took from the first attempt; one that answers each copy a
  // fixed time after it was written, a reply window apart. Half a window more for its moods, and
  // never less than a loaded PC's scheduling may add.
  const Clock::duration gap = std::max(window, answerEnd_ - firstAttempt_);
  const Clock::duration margin = std::max<Clock::duration>(window / 2, kLeastMargin);
  const Clock::time_point deadline = std::max(lastActivity_, answerEnd_) + remaining * gap + margin;
  // A host that never stops talking cannot hold the next command for ever.
  return std::min(deadline, settleStart_ + (attempts_ + 1) * gap + window + margin);
}

AnswerLedger::Verdict AnswerLedger::Classify(const Bytes& frame, Clock::time_point now) {
  lastActivity_ = now;
  if (attempts_ == 0) return Verdict::Deliver;  // no exchange yet: nothing to hold it against
  if (!answer_.empty()) {
    if (repeatAt_ > 0 && repeatAt_ < answer_.size() && frame == answer_[repeatAt_]) {
      if (++repeatAt_ == answer_.size()) repeatAt_ = 0;
      return Verdict::Repeat;
    }
    repeatAt_ = 0;
    if (owed_ > 0 && frame == answer_.front()) {
      --owed_;
      repeatAt_ = answer_.size() > 1 ? 1 : 0;
      return Verdict::Repeat;
    }
  } else {
    // The first frame answers one copy; every other copy written may bring the answer again.
    owed_ = attempts_ - 1;
  }
  if (answer_.size() < kMaxAnswerFrames) answer_.push_back(frame);
  answerEnd_ = now;
  return settling_ ? Verdict::Stale : Verdict::Deliver;
}

}  // namespace veyra

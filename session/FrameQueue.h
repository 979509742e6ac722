// A link whose replies wait in a queue for the code that sent the command: what a sequence of
// commands without a window (veyractl, a backup, a restore) reads its answers from, in order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "link/HostLink.h"

namespace veyra::session {

class FrameQueue final : public HostLink {
 public:
  // Runs on the reader thread before a frame is queued, as a dialog's OnReply would (decode,
  // judge, show).
  using Handler = std::function<void(const Bytes& sent, const Bytes& received)>;

  ~FrameQueue() override { ReleasePort(); }  // before the queue goes

  void SetHandler(Handler handler);
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override;
  void OnLineLost() override;
  // The reader of a list decided where it ended; what comes after is nobody's.
  bool TakesLateFrames() const override { return false; }

  // Sends one command with the retries and time-out of [timeout], frames left from before
  // dropped first; true when the host answered. The frame that answered, and any after it, then
  // wait in Next.
  bool Send(const Bytes& payload);
  // The next frame, or none when none has come for quietMs, or the line is lost and every frame
  // that came before it has been taken. The window stays alive while it waits.
  std::optional<Bytes> Next(int quietMs);
  void Drop();
  bool LineLost() const;

 private:
  std::mutex deliveryMutex_;  // held across the handler and the queueing, so Drop waits for both
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Bytes> frames_;
  Handler handler_;
  bool lost_ = false;
};

// Milliseconds of silence that end an answer of many frames without an end marker: [timeout]
// waittime as last read, or a second while it has none.
int QuietMs();

// Why reading an answer of many frames stopped.
enum class ListEnd {
  Complete,  // a list of known length got its last frame
  Quiet,     // the line went quiet
  LineLost,
  TimeBound,
  FrameBound,
};

// Limits on one answer of many frames, far beyond what a real host sends, so a host that never
// stops talking cannot keep anyone waiting for ever.
struct ListBounds {
  int maxFrames;
  std::chrono::milliseconds maxTime;
};
// The history and the device list: a host's whole log at 9600 baud takes well under two minutes.
inline constexpr ListBounds kLongListBounds{10000, std::chrono::minutes(5)};
// The timers and the telephone numbers: the host has 3 timer groups and 12 number slots.
inline constexpr ListBounds kShortListBounds{100, std::chrono::minutes(1)};

// Hands every frame to take until take says the list is complete (a list of known length ends at
// its last frame, not a quiet reply window later), the line has been quiet for quietMs, the line
// is lost, or a bound is reached; the frame that reaches maxFrames is still handed over.
ListEnd ReadList(FrameQueue& queue, int quietMs, const ListBounds& bounds,
                 const std::function<bool(const Bytes&)>& take);

}  // namespace veyra::session

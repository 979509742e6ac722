// Which command the frames on the line answer. A host slower than the reply window answers every
// copy of a command that had to be written again, so one exchange can bring its answer two or
// three times, the later copies arriving after the program has moved on. Taken at face value they
// double the rows of a list, or become the next command's acknowledgement. The ledger recognises a
// series that repeats the first answer and drops it, and tells the next command how long to wait
// for the copies the host may still owe; whatever else comes meanwhile is the last command's, late. A host
// that answers within the window owes nothing, and nothing waits.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

#include "link/Frame.h"

namespace veyra {

class AnswerLedger {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Verdict {
    Deliver,  // the answer of the exchange (or a frame no exchange asked for)
    Repeat,   // a copy of the answer, owed for a copy of the command
    Stale,    // came while the next command waited for the line to settle: the last command's,
              // late (the rest of its answer, or the answer it got none of in time)
  };

  // A new exchange: what the last one was owed is forgotten. waittimeMs is each attempt's window.
  void Begin(Clock::time_point now, int waittimeMs);
  void AttemptWritten(Clock::time_point now);
  // The next command is waiting: from now on every frame that does not repeat the answer is
  // stale.
  void StartSettling(Clock::time_point now);
  // Until when the next command should wait for copies still owed; none once nothing is owed.
  std::optional<Clock::time_point> SettleDeadline() const;
  bool Answered() const { return !answer_.empty(); }
  // Whether frames of the last exchange may still be on their way: copies owed, one under way, or
  // a command that got no answer in time.
  bool Owes() const { return attempts_ > 0 && (answer_.empty() || owed_ > 0 || repeatAt_ > 0); }
  Verdict Classify(const Bytes& frame, Clock::time_point now);
  // A new line: nothing is owed on it.
  void Reset() { *this = AnswerLedger(); }

 private:
  // Kept to compare copies with; a longer answer is still delivered, its tail no longer compared.
  static constexpr std::size_t kMaxAnswerFrames = 20000;
  // The least time past its expected arrival that an owed copy is still waited for.
  static constexpr std::chrono::milliseconds kLeastMargin{100};

  Clock::duration Window() const { return std::chrono::milliseconds(waittimeMs_ > 0 ? waittimeMs_ : 0); }

  int waittimeMs_ = 0;
  int attempts_ = 0;
  Clock::time_point firstAttempt_{}, lastAttempt_{}, answerEnd_{}, lastActivity_{}, settleStart_{};
  std::vector<Bytes> answer_;  // the first series, in order
  int owed_ = 0;               // copies of the answer the host may still send
  std::size_t repeatAt_ = 0;   // frames of a copy under way matched so far; 0: none under way
  bool settling_ = false;
};

}  // namespace veyra

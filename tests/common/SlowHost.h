// A host slower than the reply window: the program writes each command again before the answer
// comes, and the host answers every copy. What the dialog tests of such a host share: the two ways
// it can be slow, and a tally of the frames on the line, delivered or dropped, to wait on.
#pragma once

#include <QStringList>
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/Frame.h"
#include "link/HostPort.h"
#include "tests/common/TestHost.h"
#include "tests/common/WaitFor.h"
#include "ui/CGridCtrl.h"

namespace veyra::test {

// The window the slow rows run with, and the host's delay: past one window, short of two, so
// each command goes out twice and both copies are answered.
inline constexpr int kSlowTimes = 3;
inline constexpr int kSlowWaitMs = 100;
inline constexpr int kSlowLateMs = 140;

struct SlowHost {
  const char* expect;  // what the row expects
  bool firstCopyOnly;  // only the first copy late, its repeat answered at once
};

inline hostsim::Faults Slow(const SlowHost& slow) {
  hostsim::Faults faults;
  faults.lateMs = kSlowLateMs;
  faults.lateFirstCopyOnly = slow.firstCopyOnly;
  return faults;
}

// Counts, by command byte, the copies the port wrote and the frames that came back, whether they
// reached the dialog or were dropped as copies of an answer already had.
class LineTally {
 public:
  explicit LineTally(HostPort& port) : port_(port) {
    port_.SetTrace([this](TraceKind kind, const Bytes& frame) {
      if (frame.size() <= kFrameCmdOffset) return;
      std::lock_guard lock(mutex_);
      ++counts_[static_cast<int>(kind)][frame[kFrameCmdOffset]];
    });
  }
  ~LineTally() { port_.SetTrace(nullptr); }
  LineTally(const LineTally&) = delete;
  LineTally& operator=(const LineTally&) = delete;

  int Count(TraceKind kind, std::uint8_t command) const {
    std::lock_guard lock(mutex_);
    return counts_[static_cast<int>(kind)][command];
  }
  int Sent(std::uint8_t command) const { return Count(TraceKind::Sent, command); }
  // Handed to the dialog, in time or late (the rest of an answer while the next command waited).
  int Delivered(std::uint8_t command) const {
    return Count(TraceKind::Received, command) + Count(TraceKind::Late, command);
  }
  int Came(std::uint8_t command) const {
    return Delivered(command) + Count(TraceKind::Repeat, command) + Count(TraceKind::Stale, command);
  }
  // Waits (bounded) until every copy written of `command` has brought its answer of
  // `framesPerAnswer` frames, whatever became of them; then lets the dialog take what it was handed.
  // The answer's frames carry the command's own byte unless `answeredWith` names theirs.
  bool WaitForEveryCopysAnswer(std::uint8_t command, int framesPerAnswer,
                               const std::vector<std::uint8_t>& answeredWith = {},
                               int timeoutMs = 5000) const {
    const auto came = [&] {
      if (answeredWith.empty()) return Came(command);
      int count = 0;
      for (const std::uint8_t answer : answeredWith) count += Came(answer);
      return count;
    };
    const bool all = WaitFor([&] { return came() >= Sent(command) * framesPerAnswer; }, timeoutMs);
    DeliverPosted();
    return all;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    counts_ = {};
  }

 private:
  static constexpr int kKinds = static_cast<int>(TraceKind::Stale) + 1;

  HostPort& port_;
  mutable std::mutex mutex_;
  std::array<std::array<int, 256>, kKinds> counts_{};
};

// Every cell of a table, header row included, row by row: what a slow host's rows are held to.
inline std::vector<QStringList> GridTexts(const CGridCtrl* grid) {
  std::vector<QStringList> rows;
  for (int row = 0; row < grid->GetRowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < grid->GetColumnCount(); ++column) cells << grid->GetItemText(row, column);
    rows.push_back(cells);
  }
  return rows;
}

}  // namespace veyra::test

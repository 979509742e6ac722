// Which command the frames on the line answer: the ledger's verdicts and how long it holds the next
// command, step by step on a clock of its own.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/AnswerLedger.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra {
namespace {

using Verdict = AnswerLedger::Verdict;
using std::chrono::milliseconds;

constexpr int kWindowMs = 100;
constexpr int kNone = -1;

struct Step {
  char what;          // 'w' a copy written, 'f' a frame, 's' the next command starts waiting
  int atMs;           // on the ledger's clock
  const char* frame;  // 'f': its letter, one frame per letter
  Verdict verdict;    // 'f': what it earns
  int holdUntilMs;    // 's': the settle deadline, kNone when nothing is owed
};

Step W(int at) { return {'w', at, "", Verdict::Deliver, kNone}; }
Step F(int at, const char* frame, Verdict verdict) { return {'f', at, frame, verdict, kNone}; }
Step S(int at, int holdUntil) { return {'s', at, "", Verdict::Deliver, holdUntil}; }

TEST(AnswerLedgerTest, EachFrameIsJudgedAndTheNextCommandHeldAsLongAsCopiesAreOwed) {
  constexpr Verdict D = Verdict::Deliver, R = Verdict::Repeat, X = Verdict::Stale;
  const struct {
    const char* expect;
    bool begun;
    std::vector<Step> steps;
  } rows[] = {
      // clang-format off
      {"a host in time leaves the next command free", true, {W(0), F(40, "A", D), S(41, kNone)}},
      {"a late answer's copy is judged a repeat", true, {W(0), W(100), F(140, "A", D), F(280, "A", R), S(281, kNone)}},
      {"a list answered twice is listed once, its copies judged repeats", true,
       {W(0), W(100), F(140, "A", D), F(141, "B", D), F(142, "C", D), F(290, "A", R), F(291, "B", R), F(292, "C", R), S(300, kNone)}},
      // Owed: one copy, at most the whole answer's time (142 ms from the first copy) after the last
      // activity, and a margin for the host's moods (at least 100 ms).
      {"the next command is held while a copy is owed", true, {W(0), W(100), F(140, "A", D), F(142, "B", D), S(150, 142 + 142 + 100)}},
      {"what comes while the next command waits is stale", true, {W(0), W(100), F(140, "A", D), S(150, 140 + 140 + 100), F(160, "Q", X)}},
      {"a copy cut short holds the next command for a bounded time", true,
       {W(0), W(100), F(140, "A", D), F(141, "B", D), F(142, "C", D), F(290, "A", R), F(291, "B", R), S(300, 291 + 142 + 100)}},
      {"three copies of a late answer: the third is a repeat too", true,
       {W(0), W(100), W(200), F(240, "A", D), F(480, "A", R), F(720, "A", R), S(721, kNone)}},
      // Unanswered: one more quiet window after the last copy's window closed.
      {"an unanswered command holds the next one a quiet window more", true, {W(0), W(100), W(200), S(300, 400)}},
      {"a late answer during the wait is stale and owes the other copies", true,
       {W(0), W(100), W(200), S(300, 400), F(350, "A", X), S(351, 350 + 2 * 350 + 100)}},
      {"a late answer after an unanswered command is delivered, its copy a repeat", true, {W(0), W(100), F(250, "A", D), F(400, "A", R)}},
      {"a frame like the answer is delivered when no copy is owed", true, {W(0), F(40, "A", D), F(60, "A", D), S(61, kNone)}},
      {"a copy written just after the answer came is not owed", true, {W(0), F(99, "A", D), W(100), F(199, "A", R), S(200, kNone)}},
      {"frames before any command are delivered", false, {F(10, "A", D), S(11, kNone)}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const AnswerLedger::Clock::time_point t0{};
    AnswerLedger ledger;
    if (row.begun) ledger.Begin(t0, kWindowMs);
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
      const Step& step = row.steps[i];
      SCOPED_TRACE("step " + std::to_string(i + 1));
      const auto at = t0 + milliseconds(step.atMs);
      if (step.what == 'w') {
        ledger.AttemptWritten(at);
      } else if (step.what == 'f') {
        const Bytes frame = test::Hex(std::string("AA 01 33 ") +
                                      (step.frame[0] == 'A'   ? "01"
                                       : step.frame[0] == 'B' ? "02"
                                       : step.frame[0] == 'C' ? "03"
                                                              : "09") +
                                      " 00 55");
        EXPECT_EQ(ledger.Classify(frame, at), step.verdict);
      } else {
        ledger.StartSettling(at);
        const std::optional<AnswerLedger::Clock::time_point> until = ledger.SettleDeadline();
        const int heldUntil =
            until ? static_cast<int>(std::chrono::duration_cast<milliseconds>(*until - t0).count()) : kNone;
        EXPECT_EQ(heldUntil, step.holdUntilMs);
      }
    }
  }
}

}  // namespace
}  // namespace veyra

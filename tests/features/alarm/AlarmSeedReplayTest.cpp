// The seeds of this feature's reply decoder fuzzers, replayed on every build: each decoder,
// fed through the recogniser, must hold its promises on every frame they make.
#include <gtest/gtest.h>

#include "tests/common/ReplySeedReplay.h"

namespace veyra {
namespace {

TEST(AlarmSeedReplay, HistoryTimersAndPhonesDecodersHoldTheirPromisesOnEverySeed) {
  EXPECT_GE(test::ReplayReplySeeds("history", fuzz::HistoryViolation), 3);
  EXPECT_GE(test::ReplayReplySeeds("timers", fuzz::TimedViolation), 3);
  EXPECT_GE(test::ReplayReplySeeds("phones", fuzz::PhoneViolation), 3);
}

}  // namespace
}  // namespace veyra

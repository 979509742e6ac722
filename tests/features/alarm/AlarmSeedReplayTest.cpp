// The seeds of this feature's reply decoder fuzzers, replayed on every build: each decoder,
// fed through the recogniser, must hold its promises on every frame they make.
#include <gtest/gtest.h>

#include "fuzz/ReplyChecks.h"
#include "tests/common/SeedReplay.h"

namespace veyra {
namespace {

test::SeedCheck Through(fuzz::ReplyCheck check) {
  return [check](const std::uint8_t* data, std::size_t size) {
    return fuzz::ReplyStreamViolation(data, size, check);
  };
}

TEST(AlarmSeedReplay, HistoryDecoderHoldsItsPromisesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("history", Through(fuzz::HistoryViolation)), 3);
}

TEST(AlarmSeedReplay, TimersDecoderHoldsItsPromisesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("timers", Through(fuzz::TimedViolation)), 3);
}

TEST(AlarmSeedReplay, PhonesDecoderHoldsItsPromisesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("phones", Through(fuzz::PhoneViolation)), 3);
}

}  // namespace
}  // namespace veyra

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

TEST(SettingsSeedReplay, SetupDecoderHoldsItsPromisesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("setup", Through(fuzz::SetupViolation)), 3);
}

TEST(SettingsSeedReplay, PasswordDecoderHoldsItsPromisesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("password", Through(fuzz::PasswordViolation)), 3);
}

}  // namespace
}  // namespace veyra

// The seeds of this feature's reply decoder fuzzers, replayed on every build: each decoder,
// fed through the recogniser, must hold its promises on every frame they make.
#include <gtest/gtest.h>

#include "tests/common/ReplySeedReplay.h"

namespace veyra {
namespace {

TEST(SettingsSeedReplay, SetupAndPasswordDecodersHoldTheirPromisesOnEverySeed) {
  EXPECT_GE(test::ReplayReplySeeds("setup", fuzz::SetupViolation), 3);
  EXPECT_GE(test::ReplayReplySeeds("password", fuzz::PasswordViolation), 3);
}

}  // namespace
}  // namespace veyra

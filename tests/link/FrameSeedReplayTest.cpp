// The frame fuzzers' seeds, replayed on every build: the recogniser must agree with the literal
// transcriptions of its rules on each, and deliver every well-formed reply a recipe builds.
#include <gtest/gtest.h>

#include "fuzz/FrameBuildChecks.h"
#include "fuzz/FrameChecks.h"
#include "tests/common/SeedReplay.h"

namespace veyra {
namespace {

TEST(FrameSeedReplay, RecogniserAgreesWithTheRulesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("frame", fuzz::FrameStreamViolation), 3);
}

TEST(FrameSeedReplay, EveryReplyARecipeBuildsComesOutWholeAndInOrder) {
  EXPECT_GE(test::ReplaySeeds("frame_build", fuzz::FrameRecipeViolation), 3);
}

}  // namespace
}  // namespace veyra

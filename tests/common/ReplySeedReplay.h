// Replays a reply decoder's fuzz seeds the way its fuzz target runs them: through the recogniser,
// each frame it hands over checked against the decoder's promises.
#pragma once

#include <string>

#include "fuzz/ReplyChecks.h"
#include "tests/common/SeedReplay.h"

namespace veyra::test {

inline int ReplayReplySeeds(const std::string& target, fuzz::ReplyCheck check) {
  return ReplaySeeds(target, [check](const std::uint8_t* data, std::size_t size) {
    return fuzz::ReplyStreamViolation(data, size, check);
  });
}

}  // namespace veyra::test

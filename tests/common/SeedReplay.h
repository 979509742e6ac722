// Replays a fuzz target's seeds (fuzz/corpus/<target>) through the check the target runs, so every
// build re-runs them without a fuzzing engine.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace veyra::test {

using SeedCheck = std::function<std::string(const std::uint8_t* data, std::size_t size)>;

// Fails the test for each seed the check finds fault with; returns how many seeds were replayed.
inline int ReplaySeeds(const std::string& target, const SeedCheck& check) {
  const std::filesystem::path dir = std::filesystem::path(VEYRA_SOURCE_DIR) / "fuzz" / "corpus" / target;
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    ++seeds;
    EXPECT_EQ(check(data.data(), data.size()), "") << entry.path();
  }
  return seeds;
}

}  // namespace veyra::test

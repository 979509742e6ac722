// The frame fuzzer's seeds, replayed on every build: the recogniser and the literal
// transcription of its rules must agree on each.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fuzz/FrameReference.h"
#include "link/FrameRecognizer.h"

namespace veyra {
namespace {

TEST(FrameSeedReplay, RecogniserAgreesWithTheRulesOnEverySeed) {
  const std::filesystem::path dir = std::filesystem::path(VEYRA_SOURCE_DIR) / "fuzz/corpus/frame";
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.empty()) continue;
    ++seeds;
    RxBuffer rx;
    fuzzref::ReferencePort ref;
    std::vector<Bytes> delivered;
    for (std::size_t i = 1; i < data.size(); ++i) {
      const bool owner = !(data[0] & (1u << (i % 8)));
      ref.owner = owner;
      ref.Append(data[i]);
      const auto r = rx.Append(data[i], owner);
      if (r.delivered) delivered.push_back(r.frame);
    }
    EXPECT_EQ(delivered, ref.delivered) << entry.path();
    EXPECT_EQ(rx.Bytes_(), ref.rx) << entry.path();
  }
  EXPECT_GE(seeds, 3);
}

}  // namespace
}  // namespace veyra

// Structure-aware: builds well-formed replies from the input and sends them through the
// recogniser and every decoder; see fuzz/FrameBuildChecks.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FrameBuildChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string violation = veyra::fuzz::FrameRecipeViolation(data, size);
  if (!violation.empty()) {
    std::fprintf(stderr, "replies lost or misread: %s\n", violation.c_str());
    std::abort();
  }
  return 0;
}

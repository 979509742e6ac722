// Feeds arbitrary bytes to the receive buffer and to the literal transcriptions of the
// recognition rules: any difference from the current rule in what is signalled, delivered or
// kept is a crash, and so is a frame with a right checksum that the previous rule took and the
// current one gives up or takes at another 0x55.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FrameChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string violation = veyra::fuzz::FrameStreamViolation(data, size);
  if (!violation.empty()) {
    std::fprintf(stderr, "frame rule broken: %s\n", violation.c_str());
    std::abort();
  }
  return 0;
}

// One reply decoder fed through the recogniser: built once per decoder, VEYRA_REPLY_CHECK naming
// the check of fuzz/ReplyChecks.h that the target runs on every delivered frame.
#include <cstdio>
#include <cstdlib>

#include "fuzz/ReplyChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string violation = veyra::fuzz::ReplyStreamViolation(data, size, veyra::fuzz::VEYRA_REPLY_CHECK);
  if (!violation.empty()) {
    std::fprintf(stderr, "reply decoder broken: %s\n", violation.c_str());
    std::abort();
  }
  return 0;
}

#include "cli/UsageError.h"

#include <cstdio>

namespace veyra::cli {

int UsageError(const char* text) {
  std::fprintf(stderr, "veyractl: %s\n", text);
  return 2;
}

}  // namespace veyra::cli

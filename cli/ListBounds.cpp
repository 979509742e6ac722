#include "cli/ListBounds.h"

#include <chrono>
#include <cstdio>

namespace veyra::cli {

std::string ListBoundText(const char* command, ListEnd end, const ListBounds& bounds) {
  char text[160];
  if (end == ListEnd::FrameBound) {
    std::snprintf(text, sizeof text, "veyractl: %s stopped after %d frames, more than a host sends", command,
                  bounds.maxFrames);
  } else if (end == ListEnd::TimeBound) {
    std::snprintf(
        text, sizeof text, "veyractl: %s stopped after %lld seconds, longer than a host talks", command,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(bounds.maxTime).count()));
  } else {
    return {};
  }
  return text;
}

}  // namespace veyra::cli

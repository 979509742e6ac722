// Runs the veyractl this build made, to the end, and captures what it printed.
#pragma once

#include <string>
#include <vector>

#include "tests/common/Process.h"

namespace veyra::test {

inline ProcessResult RunVeyractl(std::vector<std::string> args) {
  args.insert(args.begin(), VEYRACTL_PATH);
  return RunProcess(args);
}

}  // namespace veyra::test

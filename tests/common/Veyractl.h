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

// What a restore of a whole backup prints: every item acknowledged but the one named, which has
// outcome, then the devices' line.
inline std::string RestoreOutput(const std::string& item = {}, const std::string& outcome = {}) {
  std::vector<std::string> items = {"setup", "timers.group1", "timers.group2", "timers.group3"};
  for (const char* kind : {"voice1", "voice2", "voice3", "voice4", "voice5", "voice6", "sms1", "sms2", "sms3",
                           "mms1", "mms2", "mms3"})
    items.push_back(std::string("phones.") + kind);
  std::string out;
  for (const std::string& name : items) out += name + "\t" + (name == item ? outcome : "acknowledged") + "\n";
  return out + "devices\tnot restored: learn them at the host\n";
}

}  // namespace veyra::test

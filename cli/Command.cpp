#include "cli/Command.h"

#include <cstdio>

namespace veyra::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

std::optional<std::string> Args::Value(std::string_view name) const {
  const auto found = values.find(name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

CommandOption YesOption(std::string_view what) {
  return {
      "--yes", nullptr,
      "really send it: " + std::string(what) + "; without --yes nothing is sent and the exit status is 2"};
}

int NeedsYes(const Args& args, const char* name, const char* why) {
  if (args.yes) return 0;
  std::fprintf(stderr, "veyractl: %s sends nothing without --yes (%s)\n", name, why);
  return 2;
}

}  // namespace veyra::cli

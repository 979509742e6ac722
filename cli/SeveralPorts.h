// One command on several hosts at once (`--port A --port B ... restore FILE --yes`): each port gets
// a veyractl of its own, so no port, link or message sink is shared, and their outcomes are put
// together line by line, or into one --json document.
#pragma once

#include <string>
#include <vector>

#include "cli/Command.h"

namespace veyra::cli {

// The global options every port's run takes over.
struct SeveralPortsOptions {
  std::vector<std::string> ports;
  std::string password;  // empty: none
  std::string lang;      // empty: none
  bool verbose = false;
};

// Whether a command may be given several ports: the ones a distributor runs on a box of panels.
bool RunsOnSeveralPorts(const Command& command);

// Runs the command on every port in parallel; 0 only when it succeeded on every one, else the
// highest exit status among them.
int RunOnSeveralPorts(const Command& command, const Args& args, const SeveralPortsOptions& options);

}  // namespace veyra::cli

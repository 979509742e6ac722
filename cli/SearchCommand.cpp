// veyractl search: the main window's host search, on one port or on every port in order.
#include <cstdio>

#include "cli/CliContext.h"
#include "link/ComPorts.h"
#include "session/LoginCodec.h"

namespace veyra::cli {
namespace {

int RunSearch(Context& context, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError("search takes no arguments");
  if (context.Opts().password.empty()) return UsageError("search needs --password NNNN");
  const std::string& port = context.Opts().port;
  if (!port.empty() && port != "auto") return context.Search({}, port) ? 0 : 1;
  const auto ports = ListComPorts();
  if (!ports) {
    context.Out().Show(session::PortListFailureMessage());
    return 1;
  }
  std::vector<std::string> names;
  for (const ComPort& p : *ports) names.push_back(p.name);
  return context.Search(names, session::kAutoPortText) ? 0 : 1;
}

const RegisterCommand kSearch({"search", "[--port COMn|auto|DEVICE] --password NNNN search", RunSearch});

}  // namespace
}  // namespace veyra::cli

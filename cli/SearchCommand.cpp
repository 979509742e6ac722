// veyractl search: the main window's host search, on one port or on every port in order.
#include <cstdio>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"

namespace veyra::cli {
namespace {

int RunSearch(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("search takes no arguments");
  if (context.Opts().password.empty()) return UsageError("search needs --password NNNN");
  const std::string& port = context.Opts().port;
  if (!port.empty() && port != "auto") return context.Search({}, port) ? 0 : 1;
  return context.SearchEveryPort(stdout) ? 0 : 1;
}

const RegisterCommand kSearch(
    {.name = "search",
     .usage = "[--port COMn|auto|DEVICE|URL] --password NNNN search",
     .summary = "log in on the given port, or on every port in order, as the main "
                "window's search does, printing its status lines",
     .details = "without --port, or with --port auto, every port `veyractl ports` lists "
                "is tried in order until a host accepts the password; a network port "
                "(tcp://HOST:PORT, rfc2217://HOST:PORT) is tried only when named, never looked for\n",
     .run = RunSearch});

}  // namespace
}  // namespace veyra::cli

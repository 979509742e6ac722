// veyractl: the scripting front end. Standard output carries only results and the messages a
// dialog would show; diagnostics go to standard error, and only with --verbose.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliContext.h"
#include "link/Config.h"
#include "link/SerialChannel.h"
#include "veyra/Version.h"

namespace {

int PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: veyractl [--port COMn|auto|DEVICE] [--password NNNN] [--trace] [--verbose] COMMAND "
               "[ARGS...]\n"
               "       veyractl --help | --version\n");
  std::fprintf(out, "commands:\n");
  std::vector<veyra::cli::Command> commands = veyra::cli::Commands();
  std::sort(commands.begin(), commands.end(),
            [](const auto& a, const auto& b) { return std::string_view(a.name) < b.name; });
  for (const auto& command : commands) std::fprintf(out, "  %s\n", command.usage);
  using std::chrono::duration_cast;
  using std::chrono::seconds;
  using veyra::cli::kLongListBounds;
  using veyra::cli::kShortListBounds;
  std::fprintf(out,
               "limits:\n"
               "  history, send and sensors stop after %d frames or %lld s, timers and phones after %d "
               "frames or %lld s,\n"
               "  printing what came and exiting 1; no real host sends that much\n"
               "  config.ini is read only as a regular file of at most %zu bytes; [timeout] times is\n"
               "  taken as at most %d, waittime as at most %d ms\n",
               kLongListBounds.maxFrames,
               static_cast<long long>(duration_cast<seconds>(kLongListBounds.maxTime).count()),
               kShortListBounds.maxFrames,
               static_cast<long long>(duration_cast<seconds>(kShortListBounds.maxTime).count()),
               veyra::IniFile::kMaxFileBytes, veyra::TimeoutSettings::kMaxTimes,
               veyra::TimeoutSettings::kMaxWaittimeMs);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  veyra::SetDiagnosticStream(stderr);
  veyra::cli::Options options;
  int i = 1;
  for (; i < argc && (std::strncmp(argv[i], "--", 2) == 0 || std::strcmp(argv[i], "-v") == 0); ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      PrintUsage(stdout);
      return 0;
    } else if (arg == "--version") {
      std::printf("veyractl %s\n", veyra::kVersion);
      return 0;
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--verbose" || arg == "-v") {
      options.verbose = true;
    } else if ((arg == "--port" || arg == "--password") && i + 1 < argc) {
      (arg == "--port" ? options.port : options.password) = argv[++i];
      // An empty password would silently skip the login the user asked for.
      if (arg == "--password" && options.password.empty()) {
        std::fprintf(stderr, "veyractl: --password needs the host's password\n");
        return PrintUsage(stderr);
      }
    } else {
      return PrintUsage(stderr);
    }
  }
  if (i >= argc) return PrintUsage(stderr);
  veyra::SetDiagnosticsEnabled(options.verbose);
  const std::string name = argv[i++];
  const std::vector<std::string> args(argv + i, argv + argc);

  for (const auto& command : veyra::cli::Commands()) {
    if (name != command.name) continue;
    // Start like the GUI: a default config.ini where there is none.
    const veyra::DefaultConfigResult config = veyra::EnsureDefaultConfig();
    if (config == veyra::DefaultConfigResult::Failed)
      std::fprintf(stderr, "veyractl: cannot write %s\n", veyra::GetConfigPath().c_str());
    else if (config == veyra::DefaultConfigResult::Unreadable)
      std::fprintf(stderr, "veyractl: cannot read %s as a config.ini\n", veyra::GetConfigPath().c_str());
    veyra::cli::Context context(options);
    const int status = command.run(context, args);
    return status == 0 && context.LineLost() ? 1 : status;
  }
  std::fprintf(stderr, "veyractl: unknown command '%s'\n", name.c_str());
  return PrintUsage(stderr);
}

// veyractl: the scripting front end. Standard output carries only results and the messages a
// dialog would show; diagnostics go to standard error, and only with --verbose.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Language.h"
#include "link/ComPorts.h"
#include "link/Config.h"
#include "link/SerialChannel.h"
#include "veyra/Version.h"

namespace {

// Longer than any device path open() takes.
constexpr std::size_t kMaxPortText = 4096;

int PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: veyractl [--port COMn|auto|DEVICE] [--password NNNN] [--trace] [--verbose] [--lang "
               "en|ru] COMMAND "
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

bool IsOption(const char* arg) { return std::strncmp(arg, "--", 2) == 0 || std::strcmp(arg, "-v") == 0; }

// The message, then the usage: what is wrong first, what is allowed after it.
int UsageError(const std::string& text) {
  std::fprintf(stderr, "veyractl: %s\n", text.c_str());
  return PrintUsage(stderr);
}

// Why a --port value can name no port, or null. Empty or blank would otherwise mean "every port"
// to search and "no port" to the rest; a name longer than a path can be is no device either.
const char* PortValueError(const std::string& value) {
  if (value.find_first_not_of(" \t") == std::string::npos) return "--port needs COMn, auto or a device path";
  if (value.size() >= kMaxPortText) return "--port value too long for COMn or a device path";
  // Past int the number would be cut to the largest one, and the refusal would name that port.
  const std::optional<int> com = veyra::ComNameNumber(value);
  if (com && *com == INT_MAX && value != "COM" + std::to_string(INT_MAX))
    return "--port COM number too large";
  return nullptr;
}

// Why a --password value is not the host's password, or null. Anything but four digits would log
// in with some other number: the login reads the leading digits and takes letters for none.
const char* PasswordValueError(const std::string& value) {
  if (value.empty()) return "--password needs the host's password";
  if (value.size() != 4 || value.find_first_not_of("0123456789") != std::string::npos)
    return "--password takes the host's four-digit password (NNNN)";
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  veyra::SetDiagnosticStream(stderr);
  veyra::cli::Options options;
  int i = 1;
  for (; i < argc && IsOption(argv[i]); ++i) {
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
    } else if (arg == "--lang") {
      // Scripts read the messages as written; only an explicit --lang en changes them.
      if (i + 1 >= argc || IsOption(argv[i + 1])) return UsageError(arg + " needs a value");
      const std::optional<veyra::cli::Language> language = veyra::cli::LanguageOfOption(argv[++i]);
      if (!language) return UsageError("--lang takes en (English) or ru (the messages as written)");
      options.localize = *language == veyra::cli::Language::English ? &veyra::cli::InEnglish : nullptr;
    } else if (arg == "--port" || arg == "--password") {
      // The value is the next word; one that is itself an option means the value was left out.
      if (i + 1 >= argc || IsOption(argv[i + 1])) return UsageError(arg + " needs a value");
      const std::string value = argv[++i];
      if (arg == "--port") {
        if (const char* wrong = PortValueError(value)) return UsageError(wrong);
        options.port = value;
      } else {
        if (const char* wrong = PasswordValueError(value)) return UsageError(wrong);
        options.password = value;
      }
    } else {
      return UsageError("unknown option '" + arg + "'");
    }
  }
  if (i >= argc) return UsageError("no command given");
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

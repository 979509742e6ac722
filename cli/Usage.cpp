#include "cli/Usage.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#include "cli/ListBounds.h"
#include "link/Config.h"

namespace veyra::cli {

namespace {

constexpr const char* kExitStatusText =
    "exit status:\n"
    "  0  success\n"
    "  1  failure: the host refused, did not reply (no reply counts as failure), the line was lost,\n"
    "     or a list stopped at its bound\n"
    "  2  usage: a bad argument, or a port that cannot be opened; nothing was sent\n";

// --json of a command that reads no fields: whether it succeeded and the messages it showed.
const CommandOption kOutcomeJsonOption{
    "--json", nullptr,
    "print one JSON document instead of the text: \"ok\" true or false, the \"messages\" shown, "
    "\"error\" on failure, and what the command prints as named fields"};

}  // namespace

std::vector<const Command*> SortedCommands() {
  std::vector<const Command*> commands;
  for (const Command& command : Commands()) commands.push_back(&command);
  std::sort(commands.begin(), commands.end(),
            [](const Command* a, const Command* b) { return std::string_view(a->name) < b->name; });
  return commands;
}

int PrintUsage(std::FILE* out) {
  std::fprintf(
      out,
      "usage: veyractl [OPTIONS] COMMAND [ARGS...] [OPTIONS]\n"
      "       veyractl help COMMAND | COMMAND --help   (what a command's arguments mean)\n"
      "       veyractl --help | --version\n"
      "options go before or after the command, a command's own (--json, --yes, --only...) too;\n"
      "--port=COM7 and -p COM7 work as well as --port COM7:\n"
      "  -p, --port COMn|auto|DEVICE|URL\n"
      "                               the host's port: a COM name as `ports` lists it (com7 too),\n"
      "                               auto (every port in turn; needs --password), a device path,\n"
      "                               or a serial server's port: tcp://HOST:PORT (raw) or\n"
      "                               rfc2217://HOST:PORT (Telnet, line settings negotiated);\n"
      "                               given more than once, backup and restore run on each port\n"
      "                               in parallel\n"
      "  --password NNNN              log in with the host's four-digit password first\n"
      "  --trace[=FILE]               every frame sent and received, with its time, on standard\n"
      "                               error or appended to FILE; a FILE that cannot be appended\n"
      "                               to (a FIFO nothing reads, a directory) is refused\n"
      "  -v, --verbose                the port's events and the login's status lines on standard "
      "error\n"
      "  --lang original|en|ru        the messages as written (the default), in English or in Russian\n"
      "  --json                       one JSON document instead of the text: a reading command's\n"
      "                               fields, any other command's {\"ok\", \"messages\"}\n"
      "  --yes                        (destructive commands) really send it\n");
  std::fprintf(out, "commands:\n");
  for (const Command* command : SortedCommands()) std::fprintf(out, "  %s\n", command->usage);
  std::fprintf(out, "  help [COMMAND]\n%s", kExitStatusText);
  using std::chrono::duration_cast;
  using std::chrono::seconds;
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
               IniFile::kMaxFileBytes, TimeoutSettings::kMaxTimes, TimeoutSettings::kMaxWaittimeMs);
  return 2;
}

bool ReadsFields(const Command& command) {
  for (const auto& option : command.options)
    if (std::string_view(option.name) == kJsonOption.name) return true;
  return false;
}

void PrintCommandHelp(std::FILE* out, const Command& command) {
  std::fprintf(out, "usage: veyractl %s\n", command.usage);
  if (*command.summary) std::fprintf(out, "%s\n", command.summary);
  if (!command.details.empty()) std::fprintf(out, "arguments:\n%s", command.details.c_str());
  std::fprintf(out, "options:\n");
  std::vector<CommandOption> options = command.options;
  if (!ReadsFields(command)) options.push_back(kOutcomeJsonOption);
  for (const auto& option : options) {
    const std::string name = std::string(option.name) + (option.value ? std::string(" ") + option.value : "");
    std::fprintf(out, "  %-13s %s\n", name.c_str(), option.help.c_str());
  }
  std::fprintf(out, "global options (-p/--port, --password, --trace, -v, --lang): see veyractl --help\n%s",
               kExitStatusText);
}

// The message, then the usage: what is wrong first, what is allowed after it.
int RefuseUsage(const std::string& text, const Command* command) {
  std::fprintf(stderr, "veyractl: %s\n", text.c_str());
  if (!command) return PrintUsage(stderr);
  PrintCommandHelp(stderr, *command);
  return 2;
}

}  // namespace veyra::cli

// veyractl: the scripting front end. Standard output carries only results and the messages a
// dialog would show; diagnostics go to standard error, and only with --verbose.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Language.h"
#include "cli/SeveralPorts.h"
#include "link/ComPorts.h"
#include "link/Config.h"
#include "link/NetworkPort.h"
#include "link/SerialChannel.h"
#include "link/Trace.h"
#include "veyra/Version.h"

namespace {

using veyra::cli::Args;
using veyra::cli::Command;
using veyra::cli::CommandOption;
using veyra::cli::kJsonOption;

// Longer than any device path open() takes.
constexpr std::size_t kMaxPortText = 4096;

constexpr const char* kExitStatusText =
    "exit status:\n"
    "  0  success\n"
    "  1  failure: the host refused, did not reply (no reply counts as failure), the line was lost,\n"
    "     or a list stopped at its bound\n"
    "  2  usage: a bad argument, or a port that cannot be opened; nothing was sent\n";

std::vector<const Command*> SortedCommands() {
  std::vector<const Command*> commands;
  for (const Command& command : veyra::cli::Commands()) commands.push_back(&command);
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

bool ReadsFields(const Command& command) {
  for (const auto& option : command.options)
    if (std::string_view(option.name) == kJsonOption.name) return true;
  return false;
}

// --json of a command that reads no fields: whether it succeeded and the messages it showed.
const CommandOption kOutcomeJsonOption{
    "--json", nullptr,
    "print one JSON document instead of the text: \"ok\" true or false, the \"messages\" shown, "
    "\"error\" on failure, and what the command prints as named fields"};

// A command's usage, what it does, its arguments and its own options.
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
int UsageError(const std::string& text, const Command* command = nullptr) {
  std::fprintf(stderr, "veyractl: %s\n", text.c_str());
  if (!command) return PrintUsage(stderr);
  PrintCommandHelp(stderr, *command);
  return 2;
}

// A value that is itself one of our options means the value was left out: "--port --trace arm".
bool IsOption(const std::string& arg) { return arg.rfind("--", 0) == 0 || arg == "-v" || arg == "-p"; }

// "com7" as "COM7": the name the port list prints, typed the way a person types it.
std::string PortName(const std::string& value) {
  if (value.size() > 3 && (value[0] == 'c' || value[0] == 'C') && (value[1] == 'o' || value[1] == 'O') &&
      (value[2] == 'm' || value[2] == 'M') && veyra::ComNameNumber("COM" + value.substr(3)))
    return "COM" + value.substr(3);
  return value == "AUTO" || value == "Auto" ? "auto" : value;
}

// Why a --port value can name no port, or null. Empty or blank would otherwise mean "every port"
// to search and "no port" to the rest; a name longer than a path can be is no device either.
const char* PortValueError(const std::string& value) {
  if (value.find_first_not_of(" \t") == std::string::npos) return "--port needs COMn, auto or a device path";
  if (value.size() >= kMaxPortText) return "--port value too long for COMn or a device path";
  // A URL that cannot be connected to is a typing error, told before anything is opened.
  if (veyra::IsNetworkDevice(value) && !veyra::ParseNetworkPort(value))
    return "--port takes a network port as tcp://HOST:PORT or rfc2217://HOST:PORT (PORT 1-65535)";
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

// What the options before and after the command set.
struct GlobalOptions {
  std::vector<std::string> ports;  // every --port, in order
  std::optional<std::string> port, password, lang;
  std::optional<std::string> trace;  // "-" for standard error, else a file
  bool verbose = false;
  bool help = false;
};

// Every command takes the global options too, so `veyractl history --port COM7` works.
void AddGlobalOptions(CLI::App& app, GlobalOptions& global) {
  // Each --port takes one word; several name several hosts (backup and restore).
  app.add_option_function<std::vector<std::string>>("-p,--port",
                                                    [&global](const std::vector<std::string>& values) {
                                                      global.ports.insert(global.ports.end(), values.begin(),
                                                                          values.end());
                                                    })
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--password", global.password);
  app.add_option("--lang", global.lang);
  app.add_flag("--trace{-}", global.trace);
  app.add_flag("-v,--verbose", global.verbose);
  app.add_flag("-h,--help", global.help);
}

// A command's own options: --json and --yes into their flags, values and other flags by name.
void AddCommandOptions(CLI::App& sub, const Command& command, Args& args) {
  for (const auto& option : command.options) {
    const std::string name = option.name;
    if (name == "--json") {
      sub.add_flag("--json", args.json);
    } else if (name == "--yes") {
      sub.add_flag("--yes", args.yes);
    } else if (option.value) {
      sub.add_option_function<std::string>(name,
                                           [&args, name](const std::string& v) { args.values[name] = v; });
    } else {
      sub.add_flag_callback(name, [&args, name] { args.values[name] = ""; });
    }
  }
}

// Whether an option's value is the next word: the global ones that take one, and every command's.
bool TakesValue(std::string_view name) {
  if (name == "-p" || name == "--port" || name == "--password" || name == "--lang") return true;
  for (const Command& command : veyra::cli::Commands())
    for (const auto& option : command.options)
      if (option.value && name == option.name) return true;
  return false;
}

// An option some part of veyractl declares, global or a command's.
bool KnownOption(std::string_view name) {
  for (const char* global : {"-v", "--verbose", "-h", "--help", "--trace", "--json", "--yes"})
    if (name == global) return true;
  for (const Command& command : veyra::cli::Commands())
    for (const auto& option : command.options)
      if (name == option.name) return true;
  return TakesValue(name);
}

// The words with the known options before the command (and their values) moved to just after its
// name: CLI11 knows a command's own options only there, and `veyractl --json --port COM7 history`
// means what `veyractl history --json --port COM7` does. An unknown option stays where it was, to
// be named as one; a word that names no command (or "--") leaves everything as it was.
std::vector<std::string> CommandFirst(const std::vector<std::string>& words) {
  std::vector<std::string> stay, moved;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") return words;
    if (word.size() > 1 && word[0] == '-') {
      const std::string name = word.substr(0, word.find('='));
      std::vector<std::string>& into = KnownOption(name) || word.rfind("-p", 0) == 0 ? moved : stay;
      into.push_back(word);
      if (name == word && TakesValue(name) && i + 1 < words.size()) into.push_back(words[++i]);
      continue;
    }
    const auto& commands = veyra::cli::Commands();
    if (moved.empty() || std::none_of(commands.begin(), commands.end(),
                                      [&word](const Command& command) { return word == command.name; }))
      return words;
    stay.push_back(word);
    stay.insert(stay.end(), moved.begin(), moved.end());
    stay.insert(stay.end(), words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
    return stay;
  }
  return words;
}

// The option CLI11 names at the start of its message about a value left out: "--port: 1 required
// TEXT missing".
std::string OptionNamed(const CLI::ParseError& error) {
  const std::string text = error.what();
  const std::size_t colon = text.find(':');
  return colon == std::string::npos ? text : text.substr(0, colon);
}

}  // namespace

int main(int argc, char** argv) {
  veyra::SetDiagnosticStream(stderr);
  GlobalOptions global;
  bool version = false;
  CLI::App app{"veyractl"};
  app.set_help_flag();
  app.allow_extras();  // an unknown option or command is named below, in our words
  // One command a run: a later word that names another command is the first one's argument.
  app.require_subcommand(0, 1);
  AddGlobalOptions(app, global);
  app.add_flag("--version", version);

  Args args;
  std::vector<std::pair<const Command*, CLI::App*>> subs;
  for (const Command* command : SortedCommands()) {
    CLI::App* sub = app.add_subcommand(command->name);
    sub->set_help_flag();
    sub->allow_extras();  // the command judges its words itself
    AddGlobalOptions(*sub, global);
    AddCommandOptions(*sub, *command, args);
    if (!ReadsFields(*command)) sub->add_flag("--json", args.json);
    subs.emplace_back(command, sub);
  }
  CLI::App* help = app.add_subcommand("help");
  help->set_help_flag();
  help->allow_extras();

  const auto parsedCommand = [&]() -> const Command* {
    for (const auto& [command, sub] : subs)
      if (sub->parsed()) return command;
    return nullptr;
  };
  std::vector<std::string> words = CommandFirst(std::vector<std::string>(argv + 1, argv + argc));
  std::vector<char*> reordered{argv[0]};
  for (std::string& word : words) reordered.push_back(word.data());
  try {
    app.parse(static_cast<int>(reordered.size()), reordered.data());
  } catch (const CLI::ArgumentMismatch& error) {
    return UsageError(OptionNamed(error) + " needs a value", parsedCommand());
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what(), parsedCommand());
  }
  const Command* command = parsedCommand();

  if (version) {
    std::printf("veyractl %s\n", veyra::kVersion);
    return 0;
  }
  if (!app.remaining().empty()) {
    const std::string first = app.remaining().front();
    if (!first.empty() && first[0] == '-') return UsageError("unknown option '" + first + "'");
    return UsageError("unknown command '" + first + "'");
  }
  if (help->parsed()) {
    const std::vector<std::string> topic = help->remaining();
    if (topic.empty()) {
      PrintUsage(stdout);
      return 0;
    }
    for (const auto& [known, sub] : subs) {
      if (topic.size() == 1 && topic[0] == known->name) {
        PrintCommandHelp(stdout, *known);
        return 0;
      }
    }
    return UsageError("help takes one command name, not '" + topic[0] + "'");
  }
  if (global.help) {
    if (command) {
      PrintCommandHelp(stdout, *command);
    } else {
      PrintUsage(stdout);
    }
    return 0;
  }
  if (!command) return UsageError("no command given");

  veyra::cli::Options options;
  if (!global.ports.empty()) global.port = global.ports.front();
  for (const std::string& port : global.ports)
    if (IsOption(port)) return UsageError("--port needs a value");
  // The value is the next word; one that is itself an option means the value was left out.
  for (const auto& [name, value] :
       {std::pair{"--port", &global.port}, std::pair{"--password", &global.password},
        std::pair{"--lang", &global.lang}}) {
    if (*value && IsOption(**value)) return UsageError(std::string(name) + " needs a value");
  }
  if (global.port) {
    options.port = PortName(*global.port);
    if (const char* wrong = PortValueError(options.port)) return UsageError(wrong);
  }
  if (global.password) {
    if (const char* wrong = PasswordValueError(*global.password)) return UsageError(wrong);
    options.password = *global.password;
  }
  if (global.lang) {
    // Scripts read the messages as written; only an explicit --lang en or ru changes them.
    const std::optional<veyra::cli::Language> language = veyra::cli::LanguageOfOption(*global.lang);
    if (!language) return UsageError("--lang takes original (the messages as written), en or ru");
    options.localize = veyra::cli::LocalizerOf(*language);
  }
  options.verbose = global.verbose;
  if (global.trace) {
    std::string reason;
    options.trace = *global.trace == "-" ? stderr : veyra::OpenTraceFile(*global.trace, reason);
    if (!options.trace) return UsageError("--trace cannot append to " + *global.trace + ": " + reason);
  }
  veyra::SetDiagnosticsEnabled(options.verbose);
  if (global.ports.size() > 1) {
    veyra::cli::SeveralPortsOptions several;
    for (const std::string& port : global.ports) {
      several.ports.push_back(PortName(port));
      if (const char* wrong = PortValueError(several.ports.back())) return UsageError(wrong);
    }
    if (global.trace) return UsageError("--trace works with one --port");
    several.password = options.password;
    several.lang = global.lang.value_or("");
    several.verbose = options.verbose;
    for (const auto& [known, sub] : subs)
      if (known == command) args.words = sub->remaining();
    return veyra::cli::RunOnSeveralPorts(*command, args, several);
  }
  for (const auto& [known, sub] : subs)
    if (known == command) args.words = sub->remaining();

  // Start like the GUI: a default config.ini where there is none.
  const veyra::DefaultConfigResult config = veyra::EnsureDefaultConfig();
  if (config == veyra::DefaultConfigResult::Failed)
    std::fprintf(stderr, "veyractl: cannot write %s\n", veyra::GetConfigPath().c_str());
  else if (config == veyra::DefaultConfigResult::Unreadable)
    std::fprintf(stderr, "veyractl: cannot read %s as a config.ini\n", veyra::GetConfigPath().c_str());
  int status = 0;
  {
    veyra::cli::Context context(options);
    context.SetJson(args.json);
    status = command->run ? command->run(context, args) : command->runWords(context, args.words);
    if (status == 0 && context.LineLost()) status = 1;
    // A usage error or a port that does not open prints nothing on standard output, as without
    // --json; everything else is one document, failures with their "error".
    if (args.json && status != 2) context.PrintDocument(ReadsFields(*command) ? -1 : status);
  }
  if (options.trace && options.trace != stderr) std::fclose(options.trace);
  return status;
}

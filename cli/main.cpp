// veyractl: the scripting front end. Standard output carries only results and the messages a
// dialog would show; diagnostics go to standard error, and only with --verbose.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/Context.h"
#include "cli/Language.h"
#include "cli/OptionValues.h"
#include "cli/SeveralPorts.h"
#include "cli/Usage.h"
#include "link/Config.h"
#include "link/SerialChannel.h"
#include "link/Trace.h"
#include "veyra/Version.h"

namespace cli = veyra::cli;
using cli::Args;
using cli::Command;
using cli::GlobalOptions;
using cli::RefuseUsage;

namespace {

int Run(int argc, char** argv) {
  veyra::SetDiagnosticStream(stderr);
  GlobalOptions global;
  bool version = false;
  CLI::App app{"veyractl"};
  app.set_help_flag();
  app.allow_extras();  // an unknown option or command is named below, in our words
  // One command a run: a later word that names another command is the first one's argument.
  app.require_subcommand(0, 1);
  cli::AddGlobalOptions(app, global);
  app.add_flag("--version", version);

  Args args;
  std::vector<std::pair<const Command*, CLI::App*>> subs;
  for (const Command* command : cli::SortedCommands()) {
    CLI::App* sub = app.add_subcommand(command->name);
    sub->set_help_flag();
    sub->allow_extras();  // the command judges its words itself
    cli::AddGlobalOptions(*sub, global);
    cli::AddCommandOptions(*sub, *command, args);
    if (!cli::ReadsFields(*command)) sub->add_flag("--json", args.json);
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
  std::vector<std::string> words = cli::CommandFirst(std::vector<std::string>(argv + 1, argv + argc));
  std::vector<char*> reordered{argv[0]};
  for (std::string& word : words) reordered.push_back(word.data());
  try {
    app.parse(static_cast<int>(reordered.size()), reordered.data());
  } catch (const CLI::ArgumentMismatch& error) {
    return RefuseUsage(cli::OptionNamed(error) + " needs a value", parsedCommand());
  } catch (const CLI::ParseError& error) {
    return RefuseUsage(error.what(), parsedCommand());
  }
  const Command* command = parsedCommand();

  if (version) {
    std::printf("veyractl %s\n", veyra::kVersion);
    return 0;
  }
  if (!app.remaining().empty()) {
    const std::string first = app.remaining().front();
    if (!first.empty() && first[0] == '-') return RefuseUsage("unknown option '" + first + "'");
    return RefuseUsage("unknown command '" + first + "'");
  }
  if (help->parsed()) {
    const std::vector<std::string> topic = help->remaining();
    if (topic.empty()) {
      cli::PrintUsage(stdout);
      return 0;
    }
    for (const auto& [known, sub] : subs) {
      if (topic.size() == 1 && topic[0] == known->name) {
        cli::PrintCommandHelp(stdout, *known);
        return 0;
      }
    }
    return RefuseUsage("help takes one command name, not '" + topic[0] + "'");
  }
  if (global.help) {
    if (command) {
      cli::PrintCommandHelp(stdout, *command);
    } else {
      cli::PrintUsage(stdout);
    }
    return 0;
  }
  if (!command) return RefuseUsage("no command given");

  cli::Options options;
  if (!global.ports.empty()) global.port = global.ports.front();
  for (const std::string& port : global.ports)
    if (cli::IsOption(port)) return RefuseUsage("--port needs a value");
  // The value is the next word; one that is itself an option means the value was left out.
  for (const auto& [name, value] :
       {std::pair{"--port", &global.port}, std::pair{"--password", &global.password},
        std::pair{"--lang", &global.lang}}) {
    if (*value && cli::IsOption(**value)) return RefuseUsage(std::string(name) + " needs a value");
  }
  if (global.port) {
    options.port = cli::PortName(*global.port);
    if (const char* wrong = cli::PortValueError(options.port)) return RefuseUsage(wrong);
  }
  if (global.password) {
    if (const char* wrong = cli::PasswordValueError(*global.password)) return RefuseUsage(wrong);
    options.password = *global.password;
  }
  if (global.lang) {
    // Scripts read the messages as written; only an explicit --lang en or ru changes them.
    const std::optional<cli::Language> language = cli::LanguageOfOption(*global.lang);
    if (!language) return RefuseUsage("--lang takes original (the messages as written), en or ru");
    options.localize = cli::LocalizerOf(*language);
  }
  options.verbose = global.verbose;
  if (global.trace) {
    std::string reason;
    options.trace = *global.trace == "-" ? stderr : veyra::OpenTraceFile(*global.trace, reason);
    if (!options.trace) return RefuseUsage("--trace cannot append to " + *global.trace + ": " + reason);
  }
  veyra::SetDiagnosticsEnabled(options.verbose);
  if (global.ports.size() > 1) {
    cli::SeveralPortsOptions several;
    for (const std::string& port : global.ports) {
      several.ports.push_back(cli::PortName(port));
      if (const char* wrong = cli::PortValueError(several.ports.back())) return RefuseUsage(wrong);
    }
    if (global.trace) return RefuseUsage("--trace works with one --port");
    several.password = options.password;
    several.lang = global.lang.value_or("");
    several.verbose = options.verbose;
    for (const auto& [known, sub] : subs)
      if (known == command) args.words = sub->remaining();
    return cli::RunOnSeveralPorts(*command, args, several);
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
    cli::Context context(options);
    context.SetJson(args.json);
    status = command->run(context, args);
    if (status == 0 && context.LineLost()) status = 1;
    // A usage error or a port that does not open prints nothing on standard output, as without
    // --json; everything else is one document, failures with their "error".
    if (args.json && status != 2) context.PrintDocument(cli::ReadsFields(*command) ? -1 : status);
  }
  if (options.trace && options.trace != stderr) std::fclose(options.trace);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // Whatever is thrown past a command (memory, a library's own error) is a fault of ours: said,
  // and a failure's exit status, rather than an abort without a word.
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "veyractl: internal error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "veyractl: internal error\n");
  }
  return 1;
}

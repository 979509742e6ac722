// A veyractl command: its name, its help, the options it takes and what runs it, and the registry
// every command joins from its own file.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veyra::cli {

class Context;

// What a command was given after its name, global options taken out.
struct Args {
  std::vector<std::string> words;  // everything the command declares no option for, in order
  bool json = false;               // --json, for a command that declares kJsonOption
  bool yes = false;                // --yes, for a command that declares kYesOption
  std::map<std::string, std::string, std::less<>> values;  // the value options given, by name
  // A value option's value, when it was given.
  std::optional<std::string> Value(std::string_view name) const;
};

// One option a command takes besides the global ones. A null value makes it a flag.
struct CommandOption {
  const char* name;   // "--filter"
  const char* value;  // "POS", or null
  std::string help;
};
inline const CommandOption kJsonOption{
    "--json", nullptr,
    "print one JSON document with named fields instead of tab-separated text; "
    "a failure is its \"error\" field"};
CommandOption YesOption(std::string_view what);

// A veyractl command. Adding one is one RegisterCommand in the file that runs it:
//   const RegisterCommand kRestore({.name = "restore",
//                                   .usage = "--port PORT restore FILE --yes",
//                                   .summary = "write a backup back to the host",
//                                   .details = "FILE  a file `backup` wrote\n",
//                                   .options = {YesOption("overwrites the host's settings")},
//                                   .run = RunRestore});
// The name becomes a word of the command line, `veyractl help restore` and `restore --help`
// print the usage, summary, details and options, and the global --help lists the usage line.
// The options are parsed before run is called: flags into Args::json and Args::yes, values into
// Args::values; anything else, positional or not, is left in Args::words for run to judge.
struct Command {
  const char* name;
  const char* usage;         // as the global --help lists it, after "veyractl "
  const char* summary = "";  // one line
  std::string details = {};  // the arguments explained, a line each; may be empty
  std::vector<CommandOption> options = {};
  int (*run)(Context& context, const Args& args) = nullptr;
};

// Commands register themselves from their own files.
std::vector<Command>& Commands();
struct RegisterCommand {
  explicit RegisterCommand(Command command) { Commands().push_back(std::move(command)); }
};

// Exit status 2 and the message when a destructive command lacks --yes, else 0; why says what
// makes it one ("the settings page asks first").
int NeedsYes(const Args& args, const char* name, const char* why);

}  // namespace veyra::cli

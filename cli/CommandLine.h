// veyractl's command line: the global options, a command's own, and the order CLI11 needs them in.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace veyra::cli {

// What the options before and after the command set.
struct GlobalOptions {
  std::vector<std::string> ports;  // every --port, in order
  std::optional<std::string> port, password, lang;
  std::optional<std::string> trace;  // "-" for standard error, else a file
  bool verbose = false;
  bool help = false;
};

// Every command takes the global options too, so `veyractl history --port COM7` works.
void AddGlobalOptions(CLI::App& app, GlobalOptions& global);
// A command's own options: --json and --yes into their flags, values and other flags by name.
void AddCommandOptions(CLI::App& sub, const Command& command, Args& args);
// The words with the known options before the command (and their values) moved to just after its
// name: CLI11 knows a command's own options only there, and `veyractl --json --port COM7 history`
// means what `veyractl history --json --port COM7` does. An unknown option stays where it was, to
// be named as one; a word that names no command (or "--") leaves everything as it was.
std::vector<std::string> CommandFirst(const std::vector<std::string>& words);
// The option CLI11 names at the start of its message about a value left out: "--port: 1 required
// TEXT missing".
std::string OptionNamed(const CLI::ParseError& error);

}  // namespace veyra::cli

// veyractl's help: the global usage, a command's own, and a refusal that shows them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace veyra::cli {

// Every registered command, by name.
std::vector<const Command*> SortedCommands();
// The global usage with every command and the limits; gives the usage exit status, 2.
int PrintUsage(std::FILE* out);
// Whether a command declares --json as reading named fields, rather than reporting its outcome.
bool ReadsFields(const Command& command);
// A command's usage, what it does, its arguments and its own options.
void PrintCommandHelp(std::FILE* out, const Command& command);
// The message, then the usage (the command's when one was named): what is wrong first, what is
// allowed after it. Gives 2.
int RefuseUsage(const std::string& text, const Command* command = nullptr);

}  // namespace veyra::cli

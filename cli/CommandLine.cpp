#include "cli/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace veyra::cli {

namespace {

// Whether an option's value is the next word: the global ones that take one, and every command's.
bool TakesValue(std::string_view name) {
  if (name == "-p" || name == "--port" || name == "--password" || name == "--lang") return true;
  for (const Command& command : Commands())
    for (const auto& option : command.options)
      if (option.value && name == option.name) return true;
  return false;
}

// An option some part of veyractl declares, global or a command's.
bool KnownOption(std::string_view name) {
  for (const char* global : {"-v", "--verbose", "-h", "--help", "--trace", "--json", "--yes"})
    if (name == global) return true;
  for (const Command& command : Commands())
    for (const auto& option : command.options)
      if (name == option.name) return true;
  return TakesValue(name);
}

}  // namespace

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
    const auto& commands = Commands();
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

std::string OptionNamed(const CLI::ParseError& error) {
  const std::string text = error.what();
  const std::size_t colon = text.find(':');
  return colon == std::string::npos ? text : text.substr(0, colon);
}

}  // namespace veyra::cli

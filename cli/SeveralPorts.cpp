#include "cli/SeveralPorts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string_view>

#include "cli/Json.h"
#include "cli/UsageError.h"
#include "link/ChildProcess.h"

namespace veyra::cli {
namespace {

// A file name for a port's backup: the port's name with whatever a file name cannot hold (or
// would make a path of) replaced, so tcp://10.0.0.5:4001 becomes tcp___10.0.0.5_4001.ini.
std::string BackupFileFor(const std::string& directory, const std::string& port) {
  std::string name;
  for (const char c : port) {
    const bool plain =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    name.push_back(plain ? c : '_');
  }
  std::string path = directory;
  if (path.back() != '/' && path.back() != '\\') path += '/';
  return path + name + ".ini";
}

bool NamesDirectory(const std::string& word) {
  if (word.empty()) return false;
  std::error_code ignored;
  return word.back() == '/' || word.back() == '\\' || std::filesystem::is_directory(word, ignored);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool RunsOnSeveralPorts(const Command& command) {
  const std::string_view name = command.name;
  return name == "backup" || name == "restore";
}

int RunOnSeveralPorts(const Command& command, const Args& args, const SeveralPortsOptions& options) {
  if (!RunsOnSeveralPorts(command)) return UsageError("several --port work with backup and restore only");
  std::set<std::string> seen;
  for (const std::string& port : options.ports) {
    if (port == "auto") return UsageError("--port auto cannot stand beside other ports");
    if (!seen.insert(port).second) return UsageError(("--port " + port + " given twice").c_str());
  }
  const bool backup = std::string_view(command.name) == "backup";
  if (backup && (args.words.size() != 1 || !NamesDirectory(args.words[0])))
    return UsageError("backup on several ports takes a directory (DIR/): it writes one file per port");

  std::vector<std::vector<std::string>> runs;
  for (const std::string& port : options.ports) {
    std::vector<std::string> run = {"--port", port, command.name};
    for (const std::string& word : args.words) run.push_back(backup ? BackupFileFor(word, port) : word);
    for (const CommandOption& option : command.options) {
      const std::optional<std::string> value = args.Value(option.name);
      if (!value) continue;
      run.push_back(option.name);
      if (option.value) run.push_back(*value);
    }
    if (args.yes) run.push_back("--yes");
    if (args.json) run.push_back("--json");
    if (!options.password.empty()) run.insert(run.end(), {"--password", options.password});
    if (!options.lang.empty()) run.insert(run.end(), {"--lang", options.lang});
    if (options.verbose) run.push_back("-v");
    runs.push_back(std::move(run));
  }
  const std::vector<ChildResult> results = RunSelfInParallel(runs);

  int status = 0;
  for (const ChildResult& result : results) status = std::max(status, result.status < 0 ? 1 : result.status);
  if (args.json) {
    Json doc = Json::object();
    doc["ok"] = status == 0;
    Json ports = Json::array();
    for (std::size_t i = 0; i < results.size(); ++i) {
      Json entry = Json::object();
      entry["port"] = options.ports[i];
      entry["exit"] = results[i].status;
      const Json result = Json::parse(results[i].out, nullptr, false);
      entry["result"] = result.is_discarded() ? Json() : result;
      if (!results[i].err.empty()) entry["stderr"] = results[i].err;
      ports.push_back(std::move(entry));
    }
    doc["ports"] = std::move(ports);
    std::printf("%s\n", JsonText(doc).c_str());
  } else {
    // One port's lines together, in the order the ports were given, each led by its port.
    for (std::size_t i = 0; i < results.size(); ++i) {
      const std::string& port = options.ports[i];
      for (const std::string& line : Lines(results[i].out))
        std::printf("%s\t%s\n", port.c_str(), line.c_str());
      for (const std::string& line : Lines(results[i].err))
        std::fprintf(stderr, "%s: %s\n", port.c_str(), line.c_str());
      if (results[i].status != 0)
        std::printf("%s\tfailed (exit status %d)\n", port.c_str(),
                    results[i].status < 0 ? 1 : results[i].status);
    }
  }
  std::fflush(stdout);
  return status;
}

}  // namespace veyra::cli

// veyractl backup, restore and diff: the host's whole configuration to a file, back onto a host,
// and compared with one.
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "backup/BackupEngine.h"
#include "backup/BackupFile.h"
#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "link/TextFile.h"
#include "veyra/Version.h"

namespace veyra::cli {
namespace {

using namespace backup;

// A backup is about 1 KB; a file far larger is not one.
constexpr std::size_t kMaxBackupBytes = 1 << 20;

constexpr const char* kBackupUsage = "backup FILE";
constexpr const char* kRestoreUsage = "restore FILE --yes [--only setup,timers,phones]";
constexpr const char* kDiffUsage = "diff FILE [--only setup,timers,phones,devices]";

// The one FILE and the --only list; false (after saying why) when they are not what the command
// takes.
bool ParseFileArguments(const Args& args, const char* usage, std::string& file,
                        std::optional<AreaSet>& only) {
  if (args.words.size() != 1 || args.words[0].empty()) {
    UsageError(usage);
    return false;
  }
  file = args.words[0];
  if (const std::optional<std::string> list = args.Value("--only")) {
    if (!(only = ParseAreaList(*list))) {
      UsageError(("--only '" + *list +
                  "': a comma-separated list of setup, timers, phones and devices, each "
                  "once")
                     .c_str());
      return false;
    }
  }
  return true;
}

// The file read and checked whole; none after saying on standard error why it was refused.
std::optional<HostConfiguration> LoadBackup(Context& context, const std::string& path, const char* outcome) {
  std::string text, error;
  if (!ReadTextFile(path, kMaxBackupBytes, text, error)) {
    context.Problem("veyractl: " + error + "; " + outcome);
    return std::nullopt;
  }
  BackupParse parse = ParseBackupText(text);
  if (!parse.config) {
    context.Problem("veyractl: " + path + ":" + std::to_string(parse.line) + ": " + parse.reason + "; " +
                    outcome);
    return std::nullopt;
  }
  return std::move(parse.config);
}

// Reads the areas from the host; none after saying why on standard error.
std::optional<HostConfiguration> ReadHost(Context& context, const AreaSet& areas, int& status) {
  if ((status = context.Connect())) return std::nullopt;
  BackupEngine engine(context.Port());
  if (context.Opts().verbose)
    engine.SetProgress([](int done, int total, std::string_view step) {
      if (!step.empty())
        std::fprintf(stderr, "reading %s (%d/%d)\n", std::string(step).c_str(), done + 1, total);
    });
  ReadResult read = engine.Read(areas);
  if (!read.config) {
    context.Problem("veyractl: reading the host failed: " + read.failure);
    status = 1;
  }
  return std::move(read.config);
}

int RunBackup(Context& context, const Args& args) {
  std::string file;
  std::optional<AreaSet> only;
  if (!ParseFileArguments(args, kBackupUsage, file, only)) return 2;
  int status = 0;
  const std::optional<HostConfiguration> config = ReadHost(context, kEveryArea, status);
  if (!config) return status;
  BackupHeader header;
  header.program = std::string("veyractl ") + kVersion;
  header.date = IsoLocalTime(std::time(nullptr));
  std::string error;
  if (!WriteFileAtomically(file, BackupText(*config, header), error)) {
    context.Problem("veyractl: " + error);
    return 1;
  }
  // What the host holds that a restore cannot send back: kept in the file, marked, and said here.
  const std::vector<std::string> notes = BackupNotes(*config);
  if (context.JsonOutput()) {
    context.Doc()["saved"] = {{"file", file}, {"devices", config->devices.size()}, {"notes", notes}};
  } else {
    std::printf("saved %s: setup, timers, phones, %zu devices\n", file.c_str(), config->devices.size());
    for (const std::string& note : notes) std::printf("%s\n", note.c_str());
  }
  return 0;
}

int RunRestore(Context& context, const Args& args) {
  std::string file;
  std::optional<AreaSet> only;
  if (!ParseFileArguments(args, kRestoreUsage, file, only)) return 2;
  const AreaSet areas = only.value_or(kWritableAreas);
  if (areas[static_cast<int>(Area::Devices)])
    return UsageError(
        "restore does not write devices: they are learnt at the host; --only takes setup, "
        "timers, phones");
  if (const int status = NeedsYes(args, "restore", "it overwrites the host's settings")) return status;
  // The whole file is judged before the port is even opened.
  const std::optional<HostConfiguration> config = LoadBackup(context, file, "nothing was sent");
  if (!config) return 1;
  if (const int status = context.Connect()) return status;
  BackupEngine engine(context.Port());
  bool all = true;
  Json items = Json::array();
  // Each line as soon as its item is judged: a restore cut short still shows what reached the host.
  engine.Write(*config, areas, [&](const ItemResult& item) {
    const std::string_view outcome = ItemOutcomeTexts[static_cast<int>(item.outcome)];
    if (context.JsonOutput()) {
      items.push_back({{"item", item.item}, {"outcome", outcome}});
      if (!item.note.empty()) items.back()["note"] = item.note;
    } else {
      std::printf("%s\t%s%s%s\n", item.item.c_str(), outcome.data(), item.note.empty() ? "" : ": ",
                  item.note.c_str());
      std::fflush(stdout);
    }
    all = all && item.outcome == ItemOutcome::Acknowledged;
  });
  if (context.JsonOutput()) {
    items.push_back({{"item", "devices"}, {"outcome", "not restored: learn them at the host"}});
    context.Doc()["restored"] = items;
  } else {
    std::printf("devices\tnot restored: learn them at the host\n");
  }
  if (!all) context.DocumentProblem("veyractl: restore: not every item was acknowledged");
  return all ? 0 : 1;
}

// 0 equal, 1 different, 2 when the file or the host could not be read: as diff(1) answers.
int RunDiff(Context& context, const Args& args) {
  std::string path;
  std::optional<AreaSet> only;
  if (!ParseFileArguments(args, kDiffUsage, path, only)) return 2;
  const AreaSet areas = only.value_or(kWritableAreas);
  // Trouble is diff's 2, not a usage error: its document is printed here, as main prints none for 2.
  const auto trouble = [&context] {
    if (context.JsonOutput()) context.PrintDocument(2);
    return 2;
  };
  const std::optional<HostConfiguration> file = LoadBackup(context, path, "nothing compared");
  if (!file) return trouble();
  int status = 0;
  const std::optional<HostConfiguration> host = ReadHost(context, areas, status);
  if (!host) return trouble();
  const std::vector<FieldDifference> differences = CompareConfigurations(*file, *host, areas);
  const auto shown = [](const std::string& value) { return value.empty() ? std::string("(none)") : value; };
  if (context.JsonOutput()) {
    Json listed = Json::array();
    for (const FieldDifference& d : differences)
      listed.push_back({{"field", d.field}, {"file", d.file}, {"host", d.host}});
    context.Doc()["differences"] = listed;
    return differences.empty() ? 0 : 1;
  }
  for (const FieldDifference& d : differences)
    std::printf("%s: file %s, host %s\n", d.field.c_str(), shown(d.file).c_str(), shown(d.host).c_str());
  if (differences.empty()) std::printf("no difference\n");
  return differences.empty() ? 0 : 1;
}

const RegisterCommand kBackup({.name = "backup",
                               .usage = "--port PORT backup FILE",
                               .summary = "save the host's whole configuration to a text file",
                               .details = "FILE  written whole or not at all: setup, timers, phones and the "
                                          "devices as a record; a symbolic link is refused\n",
                               .run = RunBackup});
const RegisterCommand kRestore(
    {.name = "restore",
     .usage = "--port PORT restore FILE --yes [--only setup,timers,phones]",
     .summary = "write a backup back to the host, one line per item with its acknowledgement",
     .details = "FILE  a file `backup` wrote; it is checked whole first, and a fault sends nothing\n"
                "devices are not restored: they are learnt at the host\n",
     .options = {YesOption("overwrites the host's settings"),
                 {"--only", "AREAS", "write only these of setup, timers, phones (comma-separated)"}},
     .run = RunRestore});
const RegisterCommand kDiff(
    {.name = "diff",
     .usage = "--port PORT diff FILE [--only setup,timers,phones,devices]",
     .summary = "print each field where the host differs from a backup; exit 0 equal, 1 different, 2 trouble",
     .details = "FILE  a file `backup` wrote\n",
     .options = {{"--only", "AREAS",
                  "compare only these of setup, timers, phones, devices (default: all but devices)"}},
     .run = RunDiff});

}  // namespace
}  // namespace veyra::cli

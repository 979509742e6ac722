// What every veyractl command works with: the port, a link whose replies are queued for the
// command to read, and the message sink that prints what a dialog would show.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Json.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "session/FrameQueue.h"
#include "session/HostSearch.h"

namespace veyra::cli {

// Prints messages, one per line, to standard output (or wherever the command points it).
class PrintingNotifier final : public Notifier {
 public:
  void Show(const Message& message) override;
  // Null keeps the messages (Shown) without printing them: --json reports them in its document.
  void SetStream(std::FILE* stream) { stream_ = stream; }
  // What a message's text is printed as (--lang); null prints it as written.
  void SetLocalizer(std::string (*localize)(std::string_view)) { localize_ = localize; }
  std::vector<Message> Shown() const;

 private:
  mutable std::mutex mutex_;
  std::FILE* stream_ = stdout;
  std::string (*localize_)(std::string_view) = nullptr;
  std::vector<Message> shown_;
};

using session::FrameQueue;
using session::kLongListBounds;
using session::kShortListBounds;
using session::ListBounds;
using session::ListEnd;

// What veyractl says when a list stopped at a bound; empty for the other ends.
std::string ListBoundText(const char* command, ListEnd end, const ListBounds& bounds);

// The search's status line, printed (nowhere for a null stream); the port list and picture have
// nothing to print.
class PrintingSearchView final : public session::SearchView {
 public:
  explicit PrintingSearchView(std::FILE* stream) : stream_(stream) {}
  void SetStatus(const std::string& text) override;
  void ShowPortState(bool) override {}
  void SelectPort(const std::string&) override {}

 private:
  std::FILE* stream_;
};

// Opens the port an entry or --port names: exactly "COM" and digits, else a device path (a
// directory may well be called COM7).
int OpenPortText(HostLink& link, const std::string& name);

struct Options {
  std::string port;            // "COMn", "auto", a device path, or empty
  std::string password;        // empty: no login
  std::FILE* trace = nullptr;  // where --trace writes the frames; null: nowhere
  bool verbose = false;        // the port's events and the login's status lines, on standard error
  std::string (*localize)(std::string_view) = nullptr;  // messages as --lang asks; null: as written
};

class Context {
 public:
  explicit Context(Options options);
  ~Context();

  const Options& Opts() const { return options_; }
  HostPort& Port() { return port_; }
  FrameQueue& Link() { return link_; }
  PrintingNotifier& Out() { return notifier_; }

  // The host search over the given ports (selected "Авто") or on one; returns LoginAccepted.
  int Search(const std::vector<std::string>& ports, const std::string& selected,
             std::FILE* statusOut = stdout);
  // The search over every listed port in order; returns LoginAccepted.
  int SearchEveryPort(std::FILE* statusOut);
  // Opens the port given by --port, logging in first when --password was given (with --port
  // auto, on the first port whose host accepts it).
  // Returns 0 when the link is up, else the exit status the command should end with.
  int Connect();
  // Connect, then the dialogs' host check: shows hostNotFoundText and gives 1 when no host was
  // found.
  int ConnectToHost(std::string_view hostNotFoundText);
  // Sends one command, frames left from before dropped first; true when the host answered. The
  // frame that answered, and any after it, are waiting in Link().NextFrame by then.
  bool SendCommand(const Bytes& payload);
  // SendCommand, then the frame that answered; none when nothing came, after showing
  // noReplyText when there is one.
  std::optional<Bytes> Exchange(const Bytes& payload, std::string_view noReplyText = {});
  // ReadList on this context's link; a bound reached is reported on standard error (the line lost
  // was reported when it happened). take returns true once a list of known length is complete.
  ListEnd ReadAnswer(const char* command, const ListBounds& bounds,
                     const std::function<bool(const Bytes&)>& take);
  // The line went away during the command: it has failed, whatever it printed.
  bool LineLost() const { return port_.LineLost(); }

  // --json: messages are kept for the document instead of printed, and the command fills Doc().
  void SetJson(bool json);
  bool JsonOutput() const { return json_; }
  Json& Doc() { return doc_; }
  // Prints the document, with an "error" field holding every message shown and every problem
  // noted when there was any.
  // outcome -1: a reading command's document, with the messages as its "error"; otherwise the
  // document of a command that reads no fields: "ok" (outcome 0), the messages it showed, and
  // "error" when it failed.
  void PrintDocument(int outcome = -1);
  // A problem told on standard error, also kept for the --json document.
  void Problem(const std::string& text);
  // A failure the command's own output already shows line by line: kept for the --json document's
  // "error" only.
  void DocumentProblem(const std::string& text) { problems_.push_back(text); }

 private:
  Options options_;
  bool json_ = false;
  Json doc_ = Json::object();
  std::vector<std::string> problems_;
  HostPort port_;
  FrameQueue link_;
  PrintingNotifier notifier_;
};

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
  int (*runWords)(Context& context, const std::vector<std::string>& words) = nullptr;  // see WordCommand
};

// A command that judges every word after its name itself, options such as --yes included: what
// commands were before they declared their options. It gets Args::words.
struct WordCommand {
  const char* name;
  const char* usage;
  int (*run)(Context& context, const std::vector<std::string>& words);
};

// Commands register themselves from their own files.
std::vector<Command>& Commands();
struct RegisterCommand {
  explicit RegisterCommand(Command command) { Commands().push_back(std::move(command)); }
  explicit RegisterCommand(WordCommand command)
      : RegisterCommand(Command{.name = command.name, .usage = command.usage, .runWords = command.run}) {}
};

// Exit status 2 and the message when a destructive command lacks --yes, else 0; why says what
// makes it one ("the settings page asks first").
int NeedsYes(const Args& args, const char* name, const char* why);

int UsageError(const char* text);

}  // namespace veyra::cli

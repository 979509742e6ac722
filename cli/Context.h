// What every veyractl command works with: the port, a link whose replies are queued for the
// command to read, and the message sink that prints what a dialog would show.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Json.h"
#include "cli/ListBounds.h"
#include "cli/PrintingNotifier.h"
#include "link/HostPort.h"
#include "session/FrameQueue.h"

namespace veyra::cli {

using session::FrameQueue;

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

}  // namespace veyra::cli

// What every veyractl command works with: the port, a link whose replies are queued for the
// command to read, and the message sink that prints what a dialog would show.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "session/HostSearch.h"

namespace veyra::cli {

// Prints messages, one per line, to standard output (or wherever the command points it).
class PrintingNotifier final : public Notifier {
 public:
  void Show(const Message& message) override;
  void SetStream(std::FILE* stream) { stream_ = stream; }
  std::vector<Message> Shown() const;

 private:
  // What a message's text is printed as (--lang); null prints it as written.
  void SetLocalizer(std::string (*localize)(std::string_view)) { localize_ = localize; }
  mutable std::mutex mutex_;
  std::FILE* stream_ = stdout;
  std::vector<Message> shown_;
};

  std::string (*localize_)(std::string_view) = nullptr;
// A link that queues every frame it receives; an optional handler runs on the reader thread
// first, as a dialog's OnReply would (decode, judge, show).
class QueueLink final : public HostLink {
 public:
  using Handler = std::function<void(const Bytes& sent, const Bytes& received)>;
  ~QueueLink() override { ReleasePort(); }  // before the queue goes
  void SetHandler(Handler handler);
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override;
  void OnLineLost() override;
  // The next frame, or nullopt when none has come for quietMs or the line is lost and every
  // frame that came before has been taken.
  std::optional<Bytes> NextFrame(int quietMs);
  void Drop();
  bool LineLost() const;

 private:
  std::mutex deliveryMutex_;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Bytes> frames_;
  Handler handler_;
  bool lost_ = false;
};

// Why reading a multi-frame answer stopped.
enum class ListEnd { Quiet, LineLost, TimeBound, FrameBound };

// Limits on one multi-frame answer, far beyond what a real host sends, so a host that never stops
// talking cannot keep a script waiting for ever.
struct ListBounds {
  int maxFrames;
  std::chrono::milliseconds maxTime;
};
// history and send: a host's whole log at 9600 baud takes well under two minutes.
inline constexpr ListBounds kLongListBounds{10000, std::chrono::minutes(5)};
// timers and phones: the host has 3 timer groups and 12 number slots.
inline constexpr ListBounds kShortListBounds{100, std::chrono::minutes(1)};

// Hands every frame to onFrame until the line has been quiet for quietMs, the line is lost, or a
// bound is reached; the frame that reaches maxFrames is still handed over.
ListEnd ReadList(QueueLink& link, int quietMs, const ListBounds& bounds,
                 const std::function<void(const Bytes&)>& onFrame);
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
  std::string port;      // "COMn", "auto", a device path, or empty
  std::string password;  // empty: no login
  bool trace = false;
  bool verbose = false;  // the port's events and the login's status lines, on standard error
};

class Context {
  std::string (*localize)(std::string_view) = nullptr;  // messages as --lang asks; null: as written
 public:
  explicit Context(Options options);
  ~Context();

  const Options& Opts() const { return options_; }
  HostPort& Port() { return port_; }
  QueueLink& Link() { return link_; }
  PrintingNotifier& Out() { return notifier_; }

  // The host search over the given ports (selected "Авто") or on one; returns LoginAccepted.
  int Search(const std::vector<std::string>& ports, const std::string& selected,
             std::FILE* statusOut = stdout);
  // Opens the port given by --port, logging in first when --password was given.
  // Returns 0 when the link is up, else the exit status the command should end with.
  int Connect();
  // Milliseconds of silence that end a multi-frame answer: [timeout] waittime as last read.
  int QuietMs() const;
  // Sends the link's Payload; returns SendAndWait's result. Reads [timeout] anew.
  int Send();
  // Connect, then the dialogs' host check: shows hostNotFoundText and gives 1 when no host was
  // found.
  int ConnectToHost(std::string_view hostNotFoundText);
  // Sends one command, frames left from before dropped first; true when the host answered. The
  // frame that answered, and any after it, are waiting in Link().NextFrame by then.
  bool SendCommand(const Bytes& payload);
  // SendCommand, then the frame that answered; none when nothing came, after showing
  // noReplyText when there is one.
  std::optional<Bytes> Exchange(const Bytes& payload, std::string_view noReplyText = {});
  // ReadList on this context's link with its quiet time; a bound reached is reported on standard
  // error (the line lost was reported when it happened).
  ListEnd ReadAnswer(const char* command, const ListBounds& bounds,
                     const std::function<void(const Bytes&)>& onFrame);
  // The line went away during the command: it has failed, whatever it printed.
  bool LineLost() const { return port_.LineLost(); }

 private:
  Options options_;
  HostPort port_;
  QueueLink link_;
  PrintingNotifier notifier_;
};

// A veyractl command: name, usage line, and the function that runs it.
struct Command {
  const char* name;
  const char* usage;
  int (*run)(Context& context, const std::vector<std::string>& args);
};

// Commands register themselves from their own files.
std::vector<Command>& Commands();
struct RegisterCommand {
  explicit RegisterCommand(Command command) { Commands().push_back(command); }
};

int UsageError(const char* text);

}  // namespace veyra::cli

#include "cli/Context.h"

#include "cli/OpenPort.h"
#include "cli/PrintingSearchView.h"
#include "cli/UsageError.h"
#include "link/ComPorts.h"
#include "link/Trace.h"
#include "session/HostSearch.h"
#include "session/LoginCodec.h"

namespace veyra::cli {

Context::Context(Options options) : options_(std::move(options)) {
  notifier_.SetLocalizer(options_.localize);
  SetNotifier(&notifier_);
  // A trace that cannot be written is worth one line, never the command.
  if (options_.trace)
    EnableTrace(port_, options_.trace, [](const std::string& reason) {
      std::fprintf(stderr, "veyractl: cannot write the trace: %s; lines are missing from it\n",
                   reason.c_str());
    });
  link_.SetCommn(&port_);
}

Context::~Context() {
  // A slow host still sending copies of the last answer would send them to the next veyractl.
  port_.AwaitOwedCopies();
  port_.SetOwner(nullptr);
  port_.Close();
  SetNotifier(nullptr);
}

int Context::ConnectToHost(std::string_view hostNotFoundText) {
  if (const int status = Connect()) return status;
  if (HostFound != 0) return 0;
  notifier_.Show(OwnedMessage(hostNotFoundText));
  return 1;
}

bool Context::SendCommand(const Bytes& payload) { return link_.Send(payload); }

std::optional<Bytes> Context::Exchange(const Bytes& payload, std::string_view noReplyText) {
  std::optional<Bytes> reply = SendCommand(payload) ? link_.Next(session::QuietMs()) : std::nullopt;
  if (!reply && !noReplyText.empty()) notifier_.Show(OwnedMessage(noReplyText));
  return reply;
}

ListEnd Context::ReadAnswer(const char* command, const ListBounds& bounds,
                            const std::function<bool(const Bytes&)>& take) {
  const ListEnd end = session::ReadList(link_, session::QuietMs(), bounds, take);
  const std::string text = ListBoundText(command, end, bounds);
  if (!text.empty()) Problem(text);
  return end;
}

void Context::SetJson(bool json) {
  json_ = json;
  notifier_.SetStream(json ? nullptr : stdout);
}

void Context::Problem(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  problems_.push_back(text);
}

void Context::PrintDocument(int outcome) {
  std::string error;
  Json messages = Json::array();
  for (const Message& message : notifier_.Shown()) {
    error += (error.empty() ? "" : "\n") + message.text;
    if (!message.detail.empty()) error += "\n" + message.detail;
    messages.push_back(message.detail.empty() ? message.text : message.text + "\n" + message.detail);
  }
  for (const std::string& problem : problems_) error += (error.empty() ? "" : "\n") + problem;
  if (outcome >= 0) {
    doc_["ok"] = outcome == 0;
    doc_["messages"] = messages;
    if (outcome == 0) error.clear();
    // A failure that showed nothing still says so where scripts look for it.
    if (outcome != 0 && error.empty()) error = "veyractl: failed with exit status " + std::to_string(outcome);
  }
  if (!error.empty()) doc_["error"] = error;
  std::printf("%s\n", JsonText(doc_).c_str());
  std::fflush(stdout);
}

int Context::Search(const std::vector<std::string>& ports, const std::string& selected,
                    std::FILE* statusOut) {
  PrintingSearchView view(statusOut);
  session::HostSearch search(link_, view);
  search.SetPortOpener(OpenPortText);
  link_.SetHandler([&search](const Bytes& sent, const Bytes& received) { search.OnReply(sent, received); });
  const int accepted = search.SearchHost(ports, selected, session::ParsePassword(options_.password));
  link_.SetHandler(nullptr);
  link_.Drop();
  HostFound = accepted;
  return accepted;
}

int Context::SearchEveryPort(std::FILE* statusOut) {
  const auto ports = ListComPorts();
  if (!ports) {
    notifier_.Show(session::PortListFailureMessage());
    return 0;
  }
  std::vector<std::string> names;
  for (const ComPort& port : *ports) names.push_back(port.name);
  return Search(names, session::kAutoPortText, statusOut);
}

int Context::Connect() {
  const bool automatic = options_.port == "auto";
  if (options_.port.empty() || (automatic && options_.password.empty()))
    return UsageError("this command needs --port COMn or a device path, or --port auto with --password NNNN");
  // The login before a command is not the command's result: its status lines are diagnostics.
  if (!options_.password.empty()) {
    std::FILE* status = options_.verbose ? stderr : nullptr;
    return (automatic ? SearchEveryPort(status) : Search({}, options_.port, status)) ? 0 : 1;
  }
  // Failing to open is a usage-level failure for scripts: its messages go to standard error.
  notifier_.SetStream(stderr);
  const int opened = OpenPortText(link_, options_.port);
  notifier_.SetStream(json_ ? nullptr : stdout);
  if (!opened) return 2;
  HostFound = 1;
  return 0;
}

}  // namespace veyra::cli

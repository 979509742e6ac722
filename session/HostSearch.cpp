#include "session/HostSearch.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "link/ComPorts.h"
#include "link/HostPort.h"
#include "link/NetworkPort.h"
#include "link/Notifier.h"
#include "session/LoginCodec.h"

namespace veyra::session {
namespace {

// Waits while letting a window repaint.
void Pause(int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    Messages().KeepAlive();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
  }
}

}  // namespace

int OpenEntry(HostLink& link, const std::string& portText) {
  // A URL reads as no COM number at all: it is connected to as it is written.
  if (IsNetworkDevice(portText)) return link.OpenDevicePort(portText, -1);
  return link.OpenPort(ParsePortNumber(portText));
}

std::string OpenPortText(const HostLink& link) {
  const HostPort* port = link.Port();
  if (!port) return PortText(link.GetPortNumber());
  return PortText(port->GetPortNumber(), port->DeviceName());
}

HostSearch::HostSearch(HostLink& link, SearchView& view) : link_(link), view_(view), opener_(OpenEntry) {}

int HostSearch::SendLogin(int password) {
  link_.ClearPayload();
  const Bytes payload = LoginPayload(password);
  link_.Payload.insert(link_.Payload.end(), payload.begin(), payload.end());
  return link_.SendAndWait(link_.Payload, -1, -1);
}

void HostSearch::TryPort(const std::string& portText, int password) {
  view_.SetStatus(NotFoundStatus(portText));
  view_.ShowPortState(false);
  if (link_.IsPortOpen()) {
    link_.ClosePort();
    Pause(closePauseMs_);
  }
  if (!opener_(link_, portText)) return;
  attemptOpen_ = true;
  SendLogin(password);
  // The reply event ends the wait before OnReply has run; give the verdict time to land.
  for (int i = 0; i < 3 && loginAccepted_ == 0; ++i) Pause(pollMs_);
  // Waits for a verdict being handled right now: once the attempt is over, nothing of it may
  // still be running on the reader thread.
  std::lock_guard lock(verdictMutex_);
  attemptOpen_ = false;
}

int HostSearch::SearchHost(const std::vector<std::string>& ports, const std::string& selected, int password) {
  loginAccepted_ = 0;
  {
    std::lock_guard lock(verdictMutex_);
    refusedOn_.clear();
  }
  if (selected == kAutoPortText) {
    if (ports.empty()) {
      Messages().Show(NoPortsMessage());
      return 0;
    }
    for (const std::string& port : ports) {
      view_.SelectPort(port);
      TryPort(port, password);
      if (loginAccepted_) break;
    }
  } else {
    TryPort(selected, password);
  }
  // Nothing found: do not leave the last port held while the button offers to open one.
  if (!loginAccepted_ && link_.IsPortOpen()) link_.ClosePort();
  std::string refusedOn;
  {
    std::lock_guard lock(verdictMutex_);
    refusedOn = refusedOn_;
  }
  if (!loginAccepted_ && !refusedOn.empty()) view_.ShowWrongPassword(refusedOn);
  return loginAccepted_;
}

void HostSearch::OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) {
  if (sentFrame.size() < 3 || sentFrame[kFrameCmdOffset] != kLoginCommand) return;
  std::lock_guard lock(verdictMutex_);
  if (!attemptOpen_) return;  // a stray frame after the search is no verdict
  const std::optional<bool> verdict = LoginVerdict(receivedFrame);
  if (!verdict) return;
  if (!*verdict) {
    refusedOn_ = OpenPortText(link_);
    if (link_.IsPortOpen()) link_.ClosePort();
    Messages().Show(WrongPasswordMessage());
    view_.ShowWrongPassword(refusedOn_);
    return;
  }
  loginAccepted_ = 1;
  const std::string found = OpenPortText(link_);
  view_.SetStatus(FoundStatus(found));
  view_.ShowPortState(true);
  view_.SelectPort(found);
}

}  // namespace veyra::session

// The host search: try the login on the selected port, or on every port in turn, and read the
// host's verdict. The main window and veyractl run this same code; each shows its results
// through a SearchView.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/HostLink.h"

namespace veyra::session {

// What the search shows. Calls may come from the reader thread (the verdict) as well as from
// the thread running the search; an implementation posts them to its own thread in order.
class SearchView {
 public:
  virtual ~SearchView() = default;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void ShowPortState(bool open) = 0;
  virtual void SelectPort(const std::string& portText) = 0;
  // The host on portText refused the password (it has been told in a box already). Said again
  // when the search ends without a login, so the last word is not that no host was found.
  virtual void ShowWrongPassword(const std::string& /*portText*/) {}
};

// Opens the port a port-list entry names: a network port by its URL, any other entry by the COM
// number it reads as (ParsePortNumber).
int OpenEntry(HostLink& link, const std::string& portText);

// What a person knows the port open on a link by: "COMn", or the URL or path it was opened by.
std::string OpenPortText(const HostLink& link);

class HostSearch {
 public:
  // Opens the port an entry names; the default is OpenEntry.
  using PortOpener = std::function<int(HostLink& link, const std::string& portText)>;

  HostSearch(HostLink& link, SearchView& view);

  void SetPortOpener(PortOpener opener) { opener_ = std::move(opener); }
  // Pause between closing one port and opening the next, and the polls for the verdict.
  void SetPauses(int closePauseMs, int pollMs) {
    closePauseMs_ = closePauseMs;
    pollMs_ = pollMs;
  }

  // ports: the port list without "Авто"; selected: the chosen entry, or "Авто" for all.
  // Returns LoginAccepted. A search that finds nothing closes the port it opened.
  int SearchHost(const std::vector<std::string>& ports, const std::string& selected, int password);
  // One attempt on one entry.
  void TryPort(const std::string& portText, int password);
  int SendLogin(int password);

  // The main window's OnReply hands every frame here (reader thread). Only a frame that
  // answers a login of the attempt under way counts as a verdict.
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame);

  int LoginAccepted() const { return loginAccepted_.load(); }

 private:
  HostLink& link_;
  SearchView& view_;
  PortOpener opener_;
  int closePauseMs_ = 150;
  int pollMs_ = 100;
  std::atomic<int> loginAccepted_{0};
  std::atomic<bool> attemptOpen_{false};
  std::string refusedOn_;  // the port whose host refused the password during this search
  std::mutex verdictMutex_;
};

}  // namespace veyra::session

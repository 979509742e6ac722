// The built-in demo: a simulated host on a pseudo-terminal in this process, listed among the
// ports like any other. The user's own port links stay visible beside it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostsim/PtyHost.h"

namespace veyra::hostsim {

class DemoPorts {
 public:
  explicit DemoPorts(std::string password = "1234");
  ~DemoPorts();

  // Starts the host and points the port list at a private directory holding the user's links
  // plus one for the demo host. False when no pseudo-terminal can be had.
  bool Start();
  // Until this object goes, SIGINT, SIGTERM and SIGHUP remove the directory of links before the
  // program ends with the signal: it lives in /tmp, which nobody else would ever clean.
  void RemoveOnSignals();
  int ComNumber() const { return comNumber_; }
  const std::string& Password() const { return password_; }
  PtyHost& Host() { return *host_; }

 private:
  std::string password_;
  std::unique_ptr<PtyHost> host_;
  std::string dir_;
  std::vector<std::string> links_;  // what dir_ holds, for a signal handler that cannot list it
  int comNumber_ = -1;
  bool removeOnSignals_ = false;
};

}  // namespace veyra::hostsim

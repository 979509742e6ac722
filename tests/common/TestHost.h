// The simulated host a test talks to: on a pseudo-terminal where the system has them, so the
// program's own serial channel is under test; in the process on Windows, which has none, so the
// window tests run there too. Both take the same faults and keep the same log.
#pragma once

#include <atomic>
#include <string>

#include "hostsim/FaultyHost.h"

#ifdef _WIN32
#include "hostsim/InProcessHost.h"
#else
#include "hostsim/PtyHost.h"
#endif

namespace veyra::test {

#ifdef _WIN32
class TestHost : public hostsim::InProcessHost {
 public:
  explicit TestHost(std::string password = "1234") : InProcessHost(std::move(password)) {}
  // Registered under a name of its own; TestEnvironment::MapPort gives it the COM number.
  bool Start() {
    static std::atomic<int> made{0};
    return InProcessHost::Start("test" + std::to_string(++made), "simulated host");
  }
  const std::string& DevicePath() const { return Device(); }
};
#else
using TestHost = hostsim::PtyHost;
#endif

}  // namespace veyra::test

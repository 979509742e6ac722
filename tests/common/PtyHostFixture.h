// Simulated hosts reached through COM names in a private environment, each on a pseudo-terminal
// of its own (in the process on Windows): what the command-line and window tests talk to.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/common/TestEnvironment.h"
#include "tests/common/TestHost.h"

namespace veyra::test {

// One host that answers, as COM7.
class PtyHostFixture : public ::testing::Test {
 protected:
  static constexpr int kHostCom = 7;

  void SetUp() override {
    ASSERT_TRUE(host.Start());
    env.MapPort(kHostCom, host.DevicePath());
  }

  TestEnvironment env;
  TestHost host;
};

// What a search meets: a host that never answers on COM1, one that does on COM3.
class SearchHostsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(silent.Start());
    ASSERT_TRUE(host.Start());
    hostsim::Faults quiet;
    quiet.silent = true;
    silent.SetFaults(quiet);
    env.MapPort(1, silent.DevicePath());
    env.MapPort(3, host.DevicePath());
  }

  TestEnvironment env;
  // Takes "COM1" or "COM3" away, as an adapter pulled out: its link goes (on Windows, where the
  // host is the device, the host goes).
  void RemovePort(const std::string& name) {
#ifdef _WIN32
    (name == "COM1" ? silent : host).Stop();
#else
    std::filesystem::remove(env.Dir() + "/ports/" + name);
#endif
  }

  TestHost silent, host;
};

}  // namespace veyra::test

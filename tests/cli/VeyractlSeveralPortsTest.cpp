// veyractl --port A --port B ... on a box of hosts at once: two on pseudo-terminals (COM ports on a
// USB hub), one behind ser2net over raw TCP, one over RFC 2217. Each host gets the whole command,
// every line says which host it is about, and the exit status is 0 only when all succeeded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "hostsim/PtyHost.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/Ser2net.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::RunVeyractl;

std::string Prefixed(const std::string& port, const std::string& text) {
  std::string out;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) out += port + "\t" + line + "\n";
  return out;
}

class VeyractlSeveralPortsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
    for (auto& host : hosts) ASSERT_TRUE(host.Start());
    env.MapPort(7, hosts[0].DevicePath());
    env.MapPort(8, hosts[1].DevicePath());
    env.SetTimeouts(3, 300);
    ASSERT_TRUE(server.Start({test::Ser2net::Serial(false, hosts[2].DevicePath()),
                              test::Ser2net::Serial(true, hosts[3].DevicePath())}));
    ports = {"COM7", "COM8", server.Url(0), server.Url(1)};
  }
  // A backup of the first host as it is now: what every row restores.
  std::string Backup() {
    const std::string file = dir.Path("box.ini");
    const auto result = RunVeyractl({"--port", "COM7", "backup", file});
    EXPECT_EQ(result.status, 0) << result.err;
    for (auto& host : hosts) host.ClearLog();
    return file;
  }
  std::vector<std::string> WithPorts(const std::vector<std::string>& chosen, std::vector<std::string> args) {
    std::vector<std::string> out;
    for (const std::string& port : chosen) out.insert(out.end(), {"--port", port});
    out.insert(out.end(), args.begin(), args.end());
    return out;
  }

  test::TestEnvironment env;
  test::ScratchDir dir;
  hostsim::PtyHost hosts[4];
  test::Ser2net server;
  std::vector<std::string> ports;
};

TEST_F(VeyractlSeveralPortsTest, FourHostsRestoredInParallel) {
  const std::string file = Backup();
  const auto result = RunVeyractl(WithPorts(ports, {"restore", file, "--yes"}));
  EXPECT_EQ(result.status, 0) << result.err;
  std::string expected;
  for (const std::string& port : ports) expected += Prefixed(port, test::RestoreOutput());
  EXPECT_EQ(result.out, expected);
  const auto frames = test::Hexes(hosts[0].FramesReceived());
  EXPECT_FALSE(frames.empty());
  for (std::size_t i = 1; i < 4; ++i) {
    SCOPED_TRACE(ports[i] + " got the same restore as the first host");
    EXPECT_EQ(test::Hexes(hosts[i].FramesReceived()), frames);
  }
}

TEST_F(VeyractlSeveralPortsTest, OneHostFailingFailsTheWholeRunAndNoOther) {
  const std::string file = Backup();
  const std::string nobody = "tcp://127.0.0.1:" + std::to_string(test::FreeLoopbackPort());
  const auto result = RunVeyractl(WithPorts({"COM7", nobody, "COM8"}, {"restore", file, "--yes"}));
  EXPECT_EQ(result.status, 2) << "a port that did not open passed for a success";
  EXPECT_EQ(result.out, Prefixed("COM7", test::RestoreOutput()) + nobody + "\tfailed (exit status 2)\n" +
                            Prefixed("COM8", test::RestoreOutput()));
  EXPECT_NE(result.err.find(nobody + ": Connection refused"), std::string::npos) << result.err;
}

TEST_F(VeyractlSeveralPortsTest, BackupWritesOneFilePerHostIntoADirectory) {
  const std::string into = dir.Path("box") + "/";
  std::filesystem::create_directories(into);
  const auto result = RunVeyractl(WithPorts(ports, {"backup", into}));
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string files[] = {"COM7.ini", "COM8.ini",
                               "tcp___127.0.0.1_" + std::to_string(server.Port(0)) + ".ini",
                               "rfc2217___127.0.0.1_" + std::to_string(server.Port(1)) + ".ini"};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(ports[i] + "'s backup is there under its name");
    std::stringstream text;
    text << std::ifstream(into + files[i]).rdbuf();
    EXPECT_EQ(text.str().rfind("[veyra-backup]\n", 0), 0u);
    EXPECT_NE(result.out.find(ports[i] + "\tsaved " + into + files[i]), std::string::npos) << result.out;
  }
}

TEST_F(VeyractlSeveralPortsTest, JsonIsOneDocumentWithAResultPerPort) {
  const std::string file = Backup();
  const auto result = RunVeyractl(WithPorts({"COM7", server.Url(1)}, {"restore", file, "--yes", "--json"}));
  EXPECT_EQ(result.status, 0) << result.err;
  const auto doc = nlohmann::json::parse(result.out, nullptr, false);
  ASSERT_FALSE(doc.is_discarded()) << "not one document: " << result.out;
  EXPECT_EQ(doc["ok"], true);
  ASSERT_EQ(doc["ports"].size(), 2u);
  EXPECT_EQ(doc["ports"][0]["port"], "COM7");
  EXPECT_EQ(doc["ports"][1]["port"], server.Url(1));
  for (const auto& entry : doc["ports"]) {
    EXPECT_EQ(entry["exit"], 0);
    EXPECT_EQ(entry["result"]["ok"], true);
  }
}

TEST_F(VeyractlSeveralPortsTest, WhatSeveralPortsCannotDoIsAUsageError) {
  const struct {
    const char* expect;
    std::vector<std::string> args;
    std::string words;
  } rows[] = {
      // clang-format off
      {"a reading command on several ports is refused", {"--port", "COM7", "--port", "COM8", "history"}, "backup and restore only"},
      {"a backup of several hosts into one file is refused", {"--port", "COM7", "--port", "COM8", "backup", "one.ini"}, "takes a directory"},
      {"the same host twice is refused", {"--port", "COM7", "--port", "COM7", "restore", "x.ini", "--yes"}, "given twice"},
      {"auto beside named ports is refused", {"--port", "auto", "--port", "COM8", "restore", "x.ini", "--yes"}, "auto"},
      {"a second --port without a value is refused", {"--port", "COM7", "--port"}, "needs a value"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(row.words), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace veyra

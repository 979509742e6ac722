#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::RunVeyractl;

class VeyractlSendTest : public test::PtyHostFixture {};

TEST_F(VeyractlSendTest, ExitStatusAndOutputTellScriptsWhatHappened) {
  const struct {
    const char* expect;
    std::vector<std::string> args;
    bool silent;
    int status;
    std::string out;
    std::string errContains;
  } rows[] = {
      // clang-format off
      {"the reply frame is printed", {"--port", "COM7", "send", "00", "09"}, false, 0, "AA 00 09 09 55\n", ""},
      {"a device path is taken like a COM name", {"--port", host.DevicePath(), "send", "00", "0a"}, false, 0, "AA 00 0A 0A 55\n", ""},
      {"a silent host is 'no reply' with exit 1", {"--port", "COM7", "send", "00", "09"}, true, 1, "", "no reply"},
      {"a port that cannot be opened exits 2 with its messages", {"--port", "COM9", "send", "00", "09"}, false, 2, "", "打开 COM9 失败"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    env.SetTimeouts(row.silent ? 1 : 3, row.silent ? 200 : 1000);
    hostsim::Faults faults;
    faults.silent = row.silent;
    host.SetFaults(faults);
    host.ClearLog();
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_NE(result.err.find(row.errContains), std::string::npos) << result.err;
    EXPECT_TRUE(row.status != 2 || host.FramesReceived().empty()) << "sent though the port did not open";
  }
}

// Which texts are COM names is the port lookup's table; here the one path that is none.
TEST_F(VeyractlSendTest, APathEndingInAComNameIsAPathNotThatPort) {
  // A directory that happens to be called COM7 holds a link to the host.
  const std::string dir = env.Dir() + "/COM7";
  std::filesystem::create_directories(dir);
  std::filesystem::create_symlink(host.DevicePath(), dir + "/COM7");
  const auto result = RunVeyractl({"--port", dir + "/COM7", "send", "00", "09"});
  EXPECT_EQ(result.status, 0) << "a path ending in COM7 opens COM0: " << result.err;
  EXPECT_EQ(host.FramesReceived().size(), 1u);
}

TEST_F(VeyractlSendTest, AConfigThatIsNoFileIsReportedAsUnreadableAndHangsNothing) {
  const std::string fifo = env.Dir() + "/fifo", dir = env.Dir() + "/adir";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir);
  for (const std::string& path : {std::string("/dev/zero"), fifo, dir}) {
    SCOPED_TRACE(path + " is reported unreadable and nothing hangs");
    ::setenv("VEYRA_CONFIG_PATH", path.c_str(), 1);
    host.ClearLog();
    const auto result = RunVeyractl({"--port", "COM7", "send", "00", "09"});
    ::setenv("VEYRA_CONFIG_PATH", env.ConfigPath().c_str(), 1);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("veyractl: cannot read " + path), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("cannot write"), std::string::npos) << result.err;
    EXPECT_TRUE(host.FramesReceived().empty()) << "no attempts can be read from it";
  }
}

TEST_F(VeyractlSendTest, DiagnosticsGoToStandardErrorOnlyWhenAskedFor) {
  env.SetTimeouts(3, 300);
  const struct {
    const char* expect;
    std::vector<std::string> args;
    std::vector<std::string> err;
  } rows[] = {
      {"a script's stderr stays free of the port's events", {"--port", "COM7", "send", "00", "0F"}, {}},
      {"the login's status lines stay off both streams",
       {"--port", "COM7", "--password", "1234", "send", "00", "0F"},
       {}},
      {"--verbose shows the port's events",
       {"--verbose", "--port", "COM7", "send", "00", "0F"},
       {"Connected ! ", "Data sent ! ", "Disonnected ! "}},
      {"-v shows the login's status line",
       {"-v", "--port", "COM7", "--password", "1234", "send", "00", "0F"},
       {"COM7 Successful to find main host!"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "AA 00 0F 0F 55\n") << "stdout is for results only";
    EXPECT_TRUE(!row.err.empty() || result.err.empty()) << result.err;
    for (const std::string& text : row.err) EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
  }
}

TEST_F(VeyractlSendTest, StartsLikeTheGuiByWritingTheDefaultConfig) {
  std::filesystem::remove(env.ConfigPath());
  const auto result = RunVeyractl({"--port", "COM7", "send", "00", "09"});
  EXPECT_EQ(result.status, 0) << "the default file's [timeout] must make the exchange work";
  std::ifstream in(env.ConfigPath(), std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, DefaultConfigText());
}

TEST_F(VeyractlSendTest, PortsListsMappedPortsWithTheirDevices) {
  const auto result = RunVeyractl({"ports"});
  EXPECT_EQ(result.status, 0);
  // A pseudo-terminal has no adapter and no by-id name: the device path describes it.
  const std::string line = "COM7\t" + host.DevicePath() + "\t" + host.DevicePath() + "\n";
  EXPECT_NE(result.out.find(line), std::string::npos) << result.out;
}

}  // namespace
}  // namespace veyra

// The simulated host as programs see it: veyra-hostsim and the demo's host, what the --link may
// replace and what each leaves behind (the demo's directory of port links lives in the temporary
// directory), and the host on its pseudo-terminal as programs come and go on it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/common/CodecTestSupport.h"
#include "tests/common/Process.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

namespace fs = std::filesystem;

TEST(HostsimProgram, LinkRefusesToReplaceAnythingButALink) {
  test::ScratchDir dir;
  const std::string file = dir.Write("notes.txt", "a user's file");
  fs::create_directory(dir.Path("adir"));
  for (const std::string& path : {file, dir.Path("adir")}) {
    SCOPED_TRACE(path + " kept: the link refuses to replace it");
    const auto result = test::RunProcess({VEYRA_HOSTSIM_PATH, "--link", path}, 10000);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("not a symbolic link"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::is_symlink(path));
  }
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a user's file");
  EXPECT_TRUE(fs::is_directory(dir.Path("adir")));
}

TEST(HostsimProgram, AnOldLinkIsReplacedAndRemovedOnEachStopSignal) {
  test::ScratchDir dir;
  const std::string link = dir.Path("COM7");
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE("the link removed after signal " + std::to_string(signal));
    fs::create_symlink("/dev/pts/nothing-here", link);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {VEYRA_HOSTSIM_PATH, "--link", link.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code ec;
    while (fs::read_symlink(link, ec).string().rfind("/dev/pts/nothing", 0) == 0 &&
           std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NE(fs::read_symlink(link, ec).string(), "/dev/pts/nothing-here") << "the old link not replaced";
    ::kill(pid, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::is_symlink(link));
    fs::remove(link, ec);
  }
}

// A test that drives a program it cannot trace (veyra-setup.exe under Wine) reads what the host
// got from the log veyra-hostsim writes when it stops.
TEST(HostsimProgram, FramesLogHoldsTheFramesReceivedWhenStopped) {
  test::TestEnvironment env;
  env.SetTimeouts(2, 1000);
  const std::string link = env.Dir() + "/ports/COM7";
  const std::string log = env.Dir() + "/frames.log";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const char* argv[] = {VEYRA_HOSTSIM_PATH, "--link", link.c_str(), "--frames-log", log.c_str(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::is_symlink(link) && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const auto sent = test::RunVeyractl({"--port", "COM7", "arm"});
  EXPECT_EQ(sent.status, 0) << sent.err;
  ::kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  std::ifstream in(log);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "AA 00 09 09 55\n")
      << "the arm frame not logged";
}

using PtyHostTest = test::PtyHostFixture;

// A program that asks for the history, reads the start of it and dies.
void AskForHistoryAndDie(const std::string& device, hostsim::PtyHost& host) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  termios raw{};
  ASSERT_EQ(::tcgetattr(fd, &raw), 0);
  ::cfmakeraw(&raw);
  ASSERT_EQ(::tcsetattr(fd, TCSANOW, &raw), 0);
  const Bytes read = test::Hex("AA 00 02 02 55");
  ASSERT_EQ(::write(fd, read.data(), read.size()), static_cast<ssize_t>(read.size()));
  ASSERT_EQ(host.WaitForFrames(1, 5000), 1u);
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 5000), 1) << "the answer has begun";
  ::close(fd);
}

TEST_F(PtyHostTest, AnAnswerToAProgramThatLeftDoesNotReachTheNext) {
  hostsim::Faults paced;
  paced.pace = true;  // the answer takes about half a second, as on a real line
  host.SetFaults(paced);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("the arm judged by its own reply after a killed history read, round " +
                 std::to_string(round));
    host.ClearLog();
    AskForHistoryAndDie(host.DevicePath(), host);
    env.SetTimeouts(1, 2000);
    const auto result = test::RunVeyractl({"--port", "COM7", "arm"});
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Активировать систему!\n");
  }
}

}  // namespace
}  // namespace veyra

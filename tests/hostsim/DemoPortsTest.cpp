// The demo's directory of port links, which lives in the temporary directory, goes with the program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "hostsim/DemoPorts.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

namespace fs = std::filesystem;

bool IsEmptyDirectory(const std::string& path) { return fs::is_directory(path) && fs::is_empty(path); }

// The demo starts its host thread in a forked child, which ThreadSanitizer refuses to run.
#if defined(__SANITIZE_THREAD__)
constexpr bool kForkedThreadsRun = false;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr bool kForkedThreadsRun = false;
#else
constexpr bool kForkedThreadsRun = true;
#endif
#else
constexpr bool kForkedThreadsRun = true;
#endif

TEST(DemoPorts, StopSignalsLeaveNoDirectoryOfLinksBehind) {
  if (!kForkedThreadsRun) GTEST_SKIP() << "threads in a forked child are not supported here";
  test::ScratchDir tmp, userPorts;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE("the links left in the temporary directory after signal " + std::to_string(signal));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(ready[0]);
      ::setenv("TMPDIR", tmp.Path("").c_str(), 1);
      ::setenv("VEYRA_PORTS_DIR", userPorts.Path("").c_str(), 1);
      hostsim::DemoPorts demo;
      if (!demo.Start()) ::_exit(3);
      demo.RemoveOnSignals();
      const char one = 1;
      if (::write(ready[1], &one, 1) != 1) ::_exit(4);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the demo did not start";
    ::close(ready[0]);
    EXPECT_FALSE(IsEmptyDirectory(tmp.Path(""))) << "the demo made no directory where it was told";
    ::kill(pid, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
        << "ends with the signal, as it would have";
    EXPECT_TRUE(IsEmptyDirectory(tmp.Path("")));
  }
}

}  // namespace
}  // namespace veyra

// Runs a program of ours and captures what it prints: to the end, bounded in time, or while the
// test goes on.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace veyra::test {

struct ProcessResult {
  int status = -1;  // exit status; -1 when killed for running too long
  std::string out, err;
};

// A program of ours running while the test does something else: what it prints is read as it
// comes, so the test can act once a given text has been printed. Killed if still running at the end.
class RunningProcess {
 public:
  explicit RunningProcess(std::vector<std::string> args) {
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    fds_[0] = outPipe[0];
    fds_[1] = errPipe[0];
  }
  ~RunningProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (const int fd : fds_)
      if (fd >= 0) ::close(fd);
  }

  // Reads until standard output holds text, or the time is up; true when it does.
  bool AwaitOutput(const std::string& text, std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    while (out.find(text) == std::string::npos) {
      if (!ReadSome(deadline)) return false;
    }
    return true;
  }
  // Reads to the end and returns the exit status; -1 when it ran past the bound.
  int Finish(std::chrono::milliseconds bound) {
    if (pid_ <= 0) return -1;
    const auto deadline = Clock::now() + bound;
    while (fds_[0] >= 0 || fds_[1] >= 0) {
      if (!ReadSome(deadline)) return -1;
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string out, err;

 private:
  using Clock = std::chrono::steady_clock;

  bool ReadSome(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || (fds_[0] < 0 && fds_[1] < 0)) return false;
    pollfd p[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
    if (::poll(p, 2, static_cast<int>(left)) <= 0) return true;
    for (int i = 0; i < 2; ++i) {
      if (fds_[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t n = ::read(fds_[i], buffer, sizeof buffer);
      if (n <= 0) {
        ::close(fds_[i]);
        fds_[i] = -1;
      } else {
        (i == 0 ? out : err).append(buffer, static_cast<std::size_t>(n));
      }
    }
    return true;
  }

  pid_t pid_ = -1;
  int fds_[2] = {-1, -1};
};

inline ProcessResult RunProcess(const std::vector<std::string>& argv, int timeoutMs = 20000) {
  RunningProcess running(argv);
  ProcessResult result;
  result.status = running.Finish(std::chrono::milliseconds(timeoutMs));
  result.out = std::move(running.out);
  result.err = std::move(running.err);
  return result;
}

}  // namespace veyra::test

// Copies of this program on POSIX: posix_spawn of /proc/self/exe, their output read through pipes
// by one poll loop.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "link/ChildProcess.h"

extern char** environ;

namespace veyra {
namespace {

std::string SelfPath() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

struct Running {
  pid_t pid = -1;
  int fds[2] = {-1, -1};  // standard output, standard error
};

}  // namespace

std::vector<ChildResult> RunSelfInParallel(const std::vector<std::vector<std::string>>& argumentLists) {
  const std::string self = SelfPath();
  std::vector<ChildResult> results(argumentLists.size());
  std::vector<Running> running(argumentLists.size());
  for (std::size_t i = 0; i < argumentLists.size(); ++i) {
    int outPipe[2], errPipe[2];
    if (self.empty() || ::pipe2(outPipe, O_CLOEXEC) != 0) continue;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
      ::close(outPipe[0]);
      ::close(outPipe[1]);
      continue;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::vector<std::string> words = argumentLists[i];
    words.insert(words.begin(), self);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0) {
      ::close(outPipe[0]);
      ::close(errPipe[0]);
      continue;
    }
    running[i] = {pid, {outPipe[0], errPipe[0]}};
  }
  for (;;) {
    std::vector<pollfd> fds;
    std::vector<std::pair<std::size_t, int>> owners;
    for (std::size_t i = 0; i < running.size(); ++i)
      for (int k = 0; k < 2; ++k)
        if (running[i].fds[k] >= 0) {
          fds.push_back({running[i].fds[k], POLLIN, 0});
          owners.emplace_back(i, k);
        }
    if (fds.empty()) break;
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (std::size_t f = 0; f < fds.size(); ++f) {
      if (!(fds[f].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const auto [i, k] = owners[f];
      char buffer[4096];
      const ssize_t n = ::read(fds[f].fd, buffer, sizeof buffer);
      if (n > 0) {
        (k == 0 ? results[i].out : results[i].err).append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(running[i].fds[k]);
        running[i].fds[k] = -1;
      }
    }
  }
  for (std::size_t i = 0; i < running.size(); ++i) {
    if (running[i].pid < 0) continue;
    int status = 0;
    while (::waitpid(running[i].pid, &status, 0) < 0 && errno == EINTR) {
    }
    results[i].status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return results;
}

}  // namespace veyra

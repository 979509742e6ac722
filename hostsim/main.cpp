// veyra-hostsim: a simulated alarm host on a pseudo-terminal, for tests, benchmarks and demos.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "hostsim/PtyHost.h"
#include "link/Frame.h"
#include "veyra/Version.h"

namespace {

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

constexpr char kUsage[] =
    "usage: veyra-hostsim [--password NNNN] [--pace] [--hang-up-after BYTES] [--late MS "
    "[--late-first-copy]]\n"
    "                     [--link PATH] [--frames-log PATH]\n"
    "       veyra-hostsim --help | --version\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string password = "1234";
  std::string link;
  std::string framesLog;
  bool pace = false;
  int hangUpAfter = -1;
  int lateMs = 0;
  bool lateFirstCopy = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--password" && i + 1 < argc) {
      password = argv[++i];
    } else if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--version") {
      std::printf("veyra-hostsim %s\n", veyra::kVersion);
      return 0;
    } else if (arg == "--pace") {
      pace = true;
    } else if (arg == "--hang-up-after" && i + 1 < argc) {
      // An adapter pulled out in the middle of a reply, for testing the programs from outside.
      const std::string_view bytes = argv[++i];
      if (bytes.empty() || bytes.size() > 6 ||
          bytes.find_first_not_of("0123456789") != std::string_view::npos)
        return Usage();
      hangUpAfter = std::stoi(std::string(bytes));
    } else if (arg == "--late" && i + 1 < argc) {
      // A host slower than the reply window, which answers every copy of a command it is sent.
      const std::string_view ms = argv[++i];
      if (ms.empty() || ms.size() > 6 || ms.find_first_not_of("0123456789") != std::string_view::npos)
        return Usage();
      lateMs = std::stoi(std::string(ms));
    } else if (arg == "--late-first-copy") {
      lateFirstCopy = true;
    } else if (arg == "--link" && i + 1 < argc) {
      link = argv[++i];
    } else if (arg == "--frames-log" && i + 1 < argc) {
      // What a program outside sent, for tests that drive it where no trace of its own is at hand.
      framesLog = argv[++i];
    } else {
      return Usage();
    }
  }
  if (password.size() != 4 || password.find_first_not_of("0123456789") != std::string::npos) {
    std::fprintf(stderr, "veyra-hostsim: the password is four digits\n");
    return 2;
  }

  // The link replaces whatever is at PATH and goes at exit: only a link may be replaced, so a
  // mistyped path never costs a user's file.
  struct stat st {};
  if (!link.empty() && ::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    std::fprintf(stderr, "veyra-hostsim: %s exists and is not a symbolic link; not replacing it\n",
                 link.c_str());
    return 1;
  }

  // The stop signals wait, blocked, until the link is in place and the loop below takes them:
  // one that came while the link was being made would end the program with the link left
  // behind. Blocked before the host's thread starts, so only this thread ever takes them.
  sigset_t stopSignals, previous;
  sigemptyset(&stopSignals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, signal);
  sigprocmask(SIG_BLOCK, &stopSignals, &previous);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &sa, nullptr);

  veyra::hostsim::PtyHost host(password);
  if (!host.Start()) {
    std::fprintf(stderr, "veyra-hostsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }
  veyra::hostsim::Faults faults;
  faults.pace = pace;
  faults.hangUpAfterBytes = hangUpAfter;
  faults.lateMs = lateMs;
  faults.lateFirstCopyOnly = lateFirstCopy;
  host.SetFaults(faults);

  if (!link.empty()) {
    ::unlink(link.c_str());
    if (::symlink(host.DevicePath().c_str(), link.c_str()) != 0) {
      std::fprintf(stderr, "veyra-hostsim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
      return 1;
    }
  }
  std::printf("%s\n", host.DevicePath().c_str());
  std::fflush(stdout);

  // sigsuspend unblocks and waits in one step, so a signal between the test and the wait is not
  // slept through as it would be with pause().
  while (!g_stop) sigsuspend(&previous);

  host.Stop();
  if (!framesLog.empty()) {
    std::ofstream log(framesLog, std::ios::trunc);
    for (const veyra::Bytes& frame : host.FramesReceived()) log << veyra::FormatHex(frame) << '\n';
  }
  // Only while it is still ours: someone may have put another link or a file there meanwhile.
  struct stat now {};
  char target[4096];
  const ssize_t length = link.empty() ? -1 : ::readlink(link.c_str(), target, sizeof target - 1);
  if (length >= 0 && ::lstat(link.c_str(), &now) == 0 && S_ISLNK(now.st_mode) &&
      std::string_view(target, static_cast<std::size_t>(length)) == host.DevicePath())
    ::unlink(link.c_str());
  return 0;
}

// Debian's ser2net on 127.0.0.1, serving pseudo-terminals (simulated hosts) to the network: one
// accepter per device, raw TCP or Telnet with RFC 2217, from a generated YAML file. What the network
// ports are tested against: a real serial server, not one of our own making.
#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/ScratchDir.h"

extern char** environ;

namespace veyra::test {

inline constexpr const char* kSer2netPath = "/usr/sbin/ser2net";

inline bool Ser2netInstalled() { return ::access(kSer2netPath, X_OK) == 0; }

// A port on 127.0.0.1 nothing listens on right now.
inline int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  ::close(fd);
  return port;
}

// True once something listens on 127.0.0.1:port, read from the kernel's table so that looking
// opens no connection (a connection to ser2net opens its device).
inline bool LoopbackListening(int port) {
  std::ifstream table("/proc/net/tcp");
  std::string line;
  char wanted[32];
  std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    if (local == wanted && state == "0A") return true;
  }
  return false;
}

class Ser2net {
 public:
  struct Accepter {
    bool rfc2217 = false;
    std::string device;                    // the pseudo-terminal served
    std::string lineSettings = "9600n81";  // what the device is opened at
    std::string connector = {};            // another connector than the device ("stdio,cat")
  };

  // A device served raw or with RFC 2217, at 9600 8N1.
  static Accepter Serial(bool rfc2217, const std::string& device) {
    Accepter accepter;
    accepter.rfc2217 = rfc2217;
    accepter.device = device;
    return accepter;
  }
  // RFC 2217 in front of something that is no serial port.
  static Accepter TelnetTo(const std::string& connector) {
    Accepter accepter;
    accepter.rfc2217 = true;
    accepter.connector = connector;
    return accepter;
  }

  Ser2net() = default;
  Ser2net(const Ser2net&) = delete;
  Ser2net& operator=(const Ser2net&) = delete;
  ~Ser2net() { Stop(); }

  // Starts ser2net serving each accepter on a port of its own; false when it did not come up
  // listening on all of them within a few seconds.
  bool Start(const std::vector<Accepter>& accepters) {
    std::ostringstream yaml;
    yaml << "%YAML 1.1\n---\n";
    ports_.clear();
    for (std::size_t i = 0; i < accepters.size(); ++i) {
      const int port = FreeLoopbackPort();
      if (port == 0) return false;
      ports_.push_back(port);
      rfc2217_.push_back(accepters[i].rfc2217);
      yaml << "connection: &port" << i << "\n"
           << "  accepter: " << (accepters[i].rfc2217 ? "telnet(rfc2217),tcp," : "tcp,") << "127.0.0.1,"
           << port << "\n"
           << "  connector: "
           << (accepters[i].connector.empty()
                   ? "serialdev," + accepters[i].device + "," + accepters[i].lineSettings + ",local"
                   : accepters[i].connector)
           << "\n"
           // A client that comes back before ser2net has noticed the last one went still gets the port.
           // Bytes forwarded as they come: by default ser2net holds them two characters' time (2 ms at
           // 9600 baud) to fill its packets, which a command-and-answer host gains nothing from.
           << "  options:\n    kickolduser: true\n    chardelay: false\n";
    }
    const std::string config = scratch_.Path("ser2net.yaml");
    std::ofstream(config) << yaml.str();
    const std::vector<std::string> argv = {kSer2netPath, "-n", "-c",
                                           config,       "-P", scratch_.Path("ser2net.pid")};
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Its complaints (no mDNS in a container) are no test's business.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // Signals as a fresh process has them: gensio wakes its threads with signals, and this process
    // may block or ignore some.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int spawned = posix_spawn(&pid_, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      pid_ = -1;
      return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (const int port : ports_) {
      while (!LoopbackListening(port)) {
        if (std::chrono::steady_clock::now() > deadline || !Running()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    return true;
  }

  // The URL of the i-th accepter.
  std::string Url(std::size_t i) const {
    return std::string(rfc2217_[i] ? "rfc2217://" : "tcp://") + "127.0.0.1:" + std::to_string(ports_[i]);
  }
  int Port(std::size_t i) const { return ports_[i]; }

  // Ends it at once, connections and all, as a server that crashed or lost power.
  void Kill() { End(SIGKILL); }
  void Stop() { End(SIGTERM); }

 private:
  bool Running() {
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
    return pid_ > 0;
  }
  void End(int signal) {
    if (pid_ <= 0) return;
    ::kill(pid_, signal);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  ScratchDir scratch_;
  pid_t pid_ = -1;
  std::vector<int> ports_;
  std::vector<bool> rfc2217_;
};

}  // namespace veyra::test

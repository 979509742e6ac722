// One TCP connection as the network channel's reader thread uses it: a connect with a time-out,
// non-blocking reads and writes, and a wait on the socket that another thread can wake. Defined once
// per platform (NetSocketPosix.cpp, NetSocketWin32.cpp).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace veyra {

class NetSocket {
 public:
  NetSocket();
  ~NetSocket();
  NetSocket(const NetSocket&) = delete;
  NetSocket& operator=(const NetSocket&) = delete;

  // 0 once connected; else a NetworkError code or the system's own code for the failure.
  int Connect(const std::string& host, int port, std::chrono::milliseconds timeout);
  // False when the wake-up could not be set up: the socket cannot be waited on.
  bool Usable() const;

  enum Ready : int { kReadable = 1, kWritable = 2, kWoken = 4, kFailed = 8 };
  // Waits until the socket has bytes or is closed (kReadable), takes more when asked (kWritable), or
  // Wake was called (kWoken); a negative time-out waits for ever. 0 when the time ran out.
  int Wait(bool wantWrite, std::chrono::milliseconds timeout);
  // Bytes read; 0 when the peer closed the connection; -1 when none are there yet; -2 when it failed.
  long Receive(std::uint8_t* bytes, std::size_t count);
  // Bytes taken; -1 when the system takes none now; -2 when it failed.
  long Send(const std::uint8_t* bytes, std::size_t count);
  // From any thread: ends the current or next Wait with kWoken.
  void Wake();
  // Closes the connection; Wake stays safe to call.
  void Close();
  bool Connected() const;

 private:
  struct Os;
  std::unique_ptr<Os> os_;
};

}  // namespace veyra

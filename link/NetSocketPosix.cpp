// The network channel's socket on POSIX: a non-blocking TCP socket, poll with an eventfd beside it.
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "link/NetSocket.h"
#include "link/NetworkPort.h"

namespace veyra {
namespace {

int Millis(std::chrono::milliseconds timeout) {
  return timeout.count() < 0 ? -1 : static_cast<int>(timeout.count());
}

// A connection that failed takes the name of its cause; the rest keep the system's code.
int ConnectError(int err) {
  switch (err) {
    case ECONNREFUSED:
      return kNetRefused;
    case ETIMEDOUT:
      return kNetTimedOut;
    default:
      return err;
  }
}

// One connect attempt to one address; 0 with fd set, or the failure.
int TryAddress(const addrinfo& address, std::chrono::steady_clock::time_point deadline, int& fd) {
  fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
  if (fd < 0) return errno;
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return 0;
  if (errno != EINPROGRESS) {
    const int err = ConnectError(errno);
    ::close(fd);
    fd = -1;
    return err;
  }
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, Millis(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    int err = 0;
    socklen_t length = sizeof err;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &length) != 0) err = errno;
    if (err == 0) return 0;
    ::close(fd);
    fd = -1;
    return ConnectError(err);
  }
  ::close(fd);
  fd = -1;
  return kNetTimedOut;
}

}  // namespace

struct NetSocket::Os {
  std::atomic<int> fd{-1};
  int wakeFd = -1;
};

NetSocket::NetSocket() : os_(std::make_unique<Os>()) {
  os_->wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

NetSocket::~NetSocket() {
  Close();
  if (os_->wakeFd >= 0) ::close(os_->wakeFd);
}

bool NetSocket::Usable() const { return os_->wakeFd >= 0; }
bool NetSocket::Connected() const { return os_->fd.load() >= 0; }

int NetSocket::Connect(const std::string& host, int port, std::chrono::milliseconds timeout) {
  Close();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_ADDRCONFIG;
  addrinfo* found = nullptr;
  const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (lookup != 0) return lookup == EAI_SYSTEM ? errno : kNetHostNotFound;
  int result = kNetHostNotFound;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    int fd = -1;
    result = TryAddress(*address, deadline, fd);
    if (result == 0) {
      // Frames are small and a command waits for its answer: no coalescing delay.
      const int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      os_->fd = fd;
      break;
    }
    if (result == kNetTimedOut) break;
  }
  ::freeaddrinfo(found);
  // A wake-up left from before this connection would end its first wait for nothing.
  std::uint64_t drain;
  while (os_->wakeFd >= 0 && ::read(os_->wakeFd, &drain, sizeof drain) > 0) {
  }
  return result;
}

int NetSocket::Wait(bool wantWrite, std::chrono::milliseconds timeout) {
  pollfd fds[2];
  fds[0] = {os_->wakeFd, POLLIN, 0};
  fds[1] = {os_->fd.load(), static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0};
  int ready;
  do {
    ready = ::poll(fds, 2, Millis(timeout));
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return kFailed;
  int result = 0;
  if (fds[0].revents & POLLIN) {
    std::uint64_t count;
    [[maybe_unused]] ssize_t n = ::read(os_->wakeFd, &count, sizeof count);
    result |= kWoken;
  }
  // A closed or reset connection is read as such: the read says which.
  if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) result |= kReadable;
  if (fds[1].revents & POLLOUT) result |= kWritable;
  if (fds[1].revents & POLLNVAL) result |= kFailed;
  return result;
}

long NetSocket::Receive(std::uint8_t* bytes, std::size_t count) {
  for (;;) {
    const ssize_t n = ::recv(os_->fd.load(), bytes, count, 0);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? -1 : -2;
  }
}

long NetSocket::Send(const std::uint8_t* bytes, std::size_t count) {
  for (;;) {
    const ssize_t n = ::send(os_->fd.load(), bytes, count, MSG_NOSIGNAL);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? -1 : -2;
  }
}

void NetSocket::Wake() {
  if (os_->wakeFd < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(os_->wakeFd, &one, sizeof one);
}

void NetSocket::Close() {
  const int fd = os_->fd.exchange(-1);
  if (fd >= 0) ::close(fd);
}

}  // namespace veyra

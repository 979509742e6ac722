// The network channel's socket on Windows: a non-blocking winsock socket whose network events and
// a wake-up event are waited on together.
// winsock2.h must come before windows.h, which would otherwise bring in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>
// (kept apart so that include sorting leaves the order alone)
#include <windows.h>

#include <atomic>
#include <mutex>

#include "link/NetSocket.h"
#include "link/NetworkPort.h"

namespace veyra {
namespace {

// winsock wants one start-up per process before any call; it stays up until the process ends.
bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

int ConnectError(int err) {
  switch (err) {
    case WSAECONNREFUSED:
      return kNetRefused;
    case WSAETIMEDOUT:
      return kNetTimedOut;
    default:
      return err;
  }
}

DWORD Millis(std::chrono::milliseconds timeout) {
  return timeout.count() < 0 ? WSA_INFINITE : static_cast<DWORD>(timeout.count());
}

int TryAddress(const addrinfo& address, std::chrono::steady_clock::time_point deadline, SOCKET& s) {
  s = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
  if (s == INVALID_SOCKET) return ::WSAGetLastError();
  u_long nonBlocking = 1;
  ::ioctlsocket(s, FIONBIO, &nonBlocking);
  if (::connect(s, address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) return 0;
  if (::WSAGetLastError() != WSAEWOULDBLOCK) {
    const int err = ConnectError(::WSAGetLastError());
    ::closesocket(s);
    s = INVALID_SOCKET;
    return err;
  }
  const auto left =
      std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() > 0) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval tv{static_cast<long>(left.count() / 1000000), static_cast<long>(left.count() % 1000000)};
    const int ready = ::select(0, nullptr, &writable, &failed, &tv);
    if (ready > 0 && FD_ISSET(s, &writable)) return 0;
    if (ready > 0) {
      int err = 0;
      int length = sizeof err;
      ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &length);
      ::closesocket(s);
      s = INVALID_SOCKET;
      return ConnectError(err ? err : WSAECONNREFUSED);
    }
  }
  ::closesocket(s);
  s = INVALID_SOCKET;
  return kNetTimedOut;
}

}  // namespace

struct NetSocket::Os {
  std::mutex mutex;  // the socket handle against Close from another thread
  SOCKET socket = INVALID_SOCKET;
  WSAEVENT netEvent = WSA_INVALID_EVENT;
  HANDLE wakeEvent = nullptr;
  // FD_WRITE is reported once after a send was refused, not while the socket takes more.
  bool sendBlocked = false;

  SOCKET Handle() {
    std::lock_guard lock(mutex);
    return socket;
  }
};

NetSocket::NetSocket() : os_(std::make_unique<Os>()) {
  if (!StartWinsock()) return;
  os_->netEvent = ::WSACreateEvent();
  os_->wakeEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

NetSocket::~NetSocket() {
  Close();
  if (os_->netEvent != WSA_INVALID_EVENT) ::WSACloseEvent(os_->netEvent);
  if (os_->wakeEvent) ::CloseHandle(os_->wakeEvent);
}

bool NetSocket::Usable() const { return os_->netEvent != WSA_INVALID_EVENT && os_->wakeEvent; }
bool NetSocket::Connected() const { return os_->Handle() != INVALID_SOCKET; }

int NetSocket::Connect(const std::string& host, int port, std::chrono::milliseconds timeout) {
  Close();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return kNetHostNotFound;
  int result = kNetHostNotFound;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    SOCKET s = INVALID_SOCKET;
    result = TryAddress(*address, deadline, s);
    if (result == 0) {
      const BOOL one = TRUE;
      ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
      ::WSAEventSelect(s, os_->netEvent, FD_READ | FD_WRITE | FD_CLOSE);
      std::lock_guard lock(os_->mutex);
      os_->socket = s;
      os_->sendBlocked = false;
      break;
    }
    if (result == kNetTimedOut) break;
  }
  ::freeaddrinfo(found);
  ::ResetEvent(os_->wakeEvent);
  return result;
}

int NetSocket::Wait(bool wantWrite, std::chrono::milliseconds timeout) {
  const SOCKET s = os_->Handle();
  if (s == INVALID_SOCKET) return kFailed;
  if (wantWrite && !os_->sendBlocked) return kWritable;
  // Bytes the last read left behind raise no new FD_READ until read: look before sleeping.
  u_long waiting = 0;
  if (::ioctlsocket(s, FIONREAD, &waiting) == 0 && waiting > 0) return kReadable;
  HANDLE events[2] = {os_->wakeEvent, os_->netEvent};
  const DWORD which = ::WSAWaitForMultipleEvents(2, events, FALSE, Millis(timeout), FALSE);
  if (which == WSA_WAIT_TIMEOUT) return 0;
  if (which == WSA_WAIT_FAILED) return kFailed;
  int result = 0;
  if (::WaitForSingleObject(os_->wakeEvent, 0) == WAIT_OBJECT_0 || which == WSA_WAIT_EVENT_0)
    result |= kWoken;
  WSANETWORKEVENTS happened{};
  if (::WSAEnumNetworkEvents(s, os_->netEvent, &happened) != 0) return result | kFailed;
  if (happened.lNetworkEvents & (FD_READ | FD_CLOSE)) result |= kReadable;
  if (happened.lNetworkEvents & FD_WRITE) {
    os_->sendBlocked = false;
    result |= kWritable;
  }
  return result;
}

long NetSocket::Receive(std::uint8_t* bytes, std::size_t count) {
  const int n = ::recv(os_->Handle(), reinterpret_cast<char*>(bytes), static_cast<int>(count), 0);
  if (n >= 0) return n;
  return ::WSAGetLastError() == WSAEWOULDBLOCK ? -1 : -2;
}

long NetSocket::Send(const std::uint8_t* bytes, std::size_t count) {
  const int n = ::send(os_->Handle(), reinterpret_cast<const char*>(bytes), static_cast<int>(count), 0);
  if (n >= 0) return n;
  if (::WSAGetLastError() != WSAEWOULDBLOCK) return -2;
  os_->sendBlocked = true;
  return -1;
}

void NetSocket::Wake() {
  if (os_->wakeEvent) ::SetEvent(os_->wakeEvent);
}

void NetSocket::Close() {
  SOCKET s = INVALID_SOCKET;
  {
    std::lock_guard lock(os_->mutex);
    std::swap(s, os_->socket);
  }
  if (s != INVALID_SOCKET) ::closesocket(s);
}

}  // namespace veyra

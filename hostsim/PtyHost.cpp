#include "hostsim/PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace veyra::hostsim {

PtyHost::PtyHost(std::string password) : FaultyHost(std::move(password)) {}

PtyHost::~PtyHost() { Stop(); }

bool PtyHost::Start() {
  char name[256] = {};
  termios raw{};
  ::cfmakeraw(&raw);
  ::cfsetispeed(&raw, B9600);
  ::cfsetospeed(&raw, B9600);
  if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) return false;
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  devicePath_ = name;
  closeWatch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (closeWatch_ >= 0) ::inotify_add_watch(closeWatch_, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE);
  stop_ = false;
  thread_ = std::thread(&PtyHost::Serve, this);
  return true;
}

void PtyHost::Stop() {
  stop_ = true;
  if (wake_ >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
  }
  cv_.notify_all();
  if (thread_.joinable()) thread_.join();
  for (int* fd : {&master_, &slave_, &wake_, &closeWatch_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

void PtyHost::HangUp() {
  hungUp_ = true;
  Stop();
}

void PtyHost::Inject(const Bytes& bytes) {
  {
    std::lock_guard lock(mutex_);
    injectQueue_.insert(injectQueue_.end(), bytes.begin(), bytes.end());
  }
  const std::uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
}

bool PtyHost::SleepMs(int ms) {
  if (ms <= 0) return !stop_;
  std::unique_lock lock(mutex_);
  return !cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
}

bool PtyHost::ClientClosed() {
  if (closeWatch_ < 0) return false;
  bool closed = false;
  alignas(inotify_event) char events[1024];
  while (::read(closeWatch_, events, sizeof events) > 0) closed = true;
  return closed;
}

bool PtyHost::SendBytes(const Bytes& bytes, const Faults& faults) {
  const bool byteWise = faults.pace || faults.splitGapMs > 0;
  std::size_t sent = 0;
  while (sent < bytes.size() && !stop_) {
    if (ClientClosed()) {
      // The program that asked is gone: the rest of its answer must not reach the next one.
      ::tcflush(slave_, TCIFLUSH);
      return false;
    }
    const std::size_t chunk = byteWise ? 1 : bytes.size() - sent;
    // Stamped before the call: the reader may be woken, and run, before this write returns.
    writeStartNs_ = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    const ssize_t n = ::write(master_, bytes.data() + sent, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) {
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, 50);
        continue;
      }
      return false;
    }
    sent += static_cast<std::size_t>(n);
    if (faults.pace) std::this_thread::sleep_for(std::chrono::microseconds(1042));
    if (faults.splitGapMs > 0 && !SleepMs(faults.splitGapMs)) return false;
  }
  return !stop_;
}

void PtyHost::Reply(const Answer& answer) {
  if (!SleepMs(answer.waitMs)) return;
  for (const Bytes& frame : answer.frames) {
    if (!SleepMs(answer.faults.delayMs)) return;
    if (answer.hangUp) {
      SendBytes(frame, answer.faults);
      stop_ = true;  // the serving loop closes the master on its way out
      hungUp_ = true;
      return;
    }
    if (!SendBytes(frame, answer.faults)) return;
    lastReplyWrittenNs_ = writeStartNs_;
  }
}

void PtyHost::Serve() {
  HostFrameReader reader;
  while (!stop_) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents & POLLIN) {
      std::uint64_t count;
      [[maybe_unused]] ssize_t n = ::read(wake_, &count, sizeof count);
      Bytes inject;
      {
        std::lock_guard lock(mutex_);
        inject.swap(injectQueue_);
      }
      Faults faults = CurrentFaults();
      faults.hangUpAfterBytes = -1;
      if (!inject.empty()) SendBytes(inject, faults);
    }
    if (stop_) break;
    if (!(fds[0].revents & POLLIN)) {
      // No program holds the slave side: POLLHUP until one opens it. Wait for that calmly.
      if (fds[0].revents & POLLHUP) SleepMs(20);
      continue;
    }
    std::uint8_t chunk[512];
    const ssize_t n = ::read(master_, chunk, sizeof chunk);
    if (n <= 0) {
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n < 0 && errno == EIO) {
        SleepMs(20);  // the slave side was closed; the host keeps waiting for the next open
        continue;
      }
      break;
    }
    // Closes before this command are of earlier sessions; only one during the answer counts.
    ClientClosed();
    Read(chunk, static_cast<std::size_t>(n));
    for (const Bytes& frame : reader.Feed(chunk, static_cast<std::size_t>(n))) {
      Reply(Take(frame));
      if (stop_) break;
    }
  }
  if (hungUp_ && master_ >= 0) {
    // What was sent before the hang-up was on the wire: let the program read it first, since a
    // pty drops unread input when its master goes (bounded, in case nobody reads). Bytes reach
    // the count only after the kernel's buffer hand-over, so an empty queue must stay empty a while.
    for (int i = 0, empty = 0; i < 250 && empty < 5; ++i) {
      int unread = 0;
      if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &unread) != 0) break;
      empty = unread == 0 ? empty + 1 : 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // Closing both sides we hold makes the device vanish for the program: its reads fail.
    ::close(master_);
    master_ = -1;
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
  }
}

}  // namespace veyra::hostsim

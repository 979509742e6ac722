// The serial channel on a POSIX tty: raw termios, flock and TIOCEXCL, poll on the descriptor and
// two eventfds, modem lines through TIOCMIWAIT on a helper thread.
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/SerialChannel.h"

namespace veyra {
namespace {

speed_t SpeedFor(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B9600;
  }
}

tcflag_t SizeFor(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

// A modem-line wait blocks in the kernel; a signal with no SA_RESTART is what ends it early.
void NoopHandler(int) {}
void InstallWakeSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction sa {};
    sa.sa_handler = NoopHandler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;
    sigaction(SIGUSR2, &sa, nullptr);
  });
}

// Devices without modem lines (pseudo-terminals) answer these ioctls with one of these.
bool Unsupported(int err) { return err == ENOTTY || err == EINVAL || err == ENOSYS; }

}  // namespace

// The descriptors and the modem-line waiter of a POSIX serial device.
struct SerialChannel::Os {
  std::atomic<int> fd{-1};
  int wakeFd = -1;   // eventfd: shutdown and write requests
  int modemFd = -1;  // eventfd: the modem waiter reports a line change
  std::thread modemThread;
  std::atomic<bool> modemStop{false};
  std::atomic<bool> modemDone{true};
  int modemStatus = 0;

  void EvaluateModemLines(SerialChannel& channel);
  void StartModemWaiter(const SerialChannel& channel);
  void StopModemWaiter();
  void ModemWaiter();
};

SerialChannel::SerialChannel() : os_(std::make_unique<Os>()) {
  os_->wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  os_->modemFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SerialChannel::~SerialChannel() {
  Shutdown();
  if (os_->wakeFd >= 0) ::close(os_->wakeFd);
  if (os_->modemFd >= 0) ::close(os_->modemFd);
}

void SerialChannel::Wake() {
  if (os_->wakeFd >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(os_->wakeFd, &one, sizeof one);
  }
}

// A thread that ended on its own has already closed the device; one that never started may not.
void SerialChannel::CloseDevice() {
  const int fd = os_->fd.exchange(-1);
  if (fd >= 0) ::close(fd);
}

int SerialChannel::OpenSystemDevice(const std::string& device, int baudRate, int parity, int dataBits,
                                    bool monitorEvents) {
  if (!BeginOpen(device, baudRate, parity, monitorEvents)) return kOpenNoName;

  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    lastErrno_ = errno;
    return kOpenDeviceFailed;
  }
  // Exclusive use: an advisory lock for cooperating programs, TIOCEXCL for everyone else.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    lastErrno_ = (errno == EWOULDBLOCK) ? EBUSY : errno;
    ::close(fd);
    return kOpenDeviceFailed;
  }
  if (::ioctl(fd, TIOCEXCL) != 0 && !Unsupported(errno)) {
    lastErrno_ = errno;
    ::close(fd);
    return kOpenDeviceFailed;
  }

  int code = kOpenOk;
  // Modem-line monitoring: only where the driver reports the lines at all.
  int status = 0;
  modemWatched_ = false;
  if (monitorEvents) {
    if (::ioctl(fd, TIOCMGET, &status) == 0) {
      modemWatched_ = true;
      os_->modemStatus = status;
    } else if (!Unsupported(errno)) {
      code = kOpenEventMaskFailed;
    }
  }

  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) {
    lastErrno_ = errno;
    code = kOpenLineStateFailed;
  } else {
    ::cfmakeraw(&tio);
    tio.c_iflag &=
        ~(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK | ICRNL | INLCR | IGNCR | BRKINT | IGNBRK);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= SizeFor(dataBits) | CREAD | CLOCAL;
    if (parity == 1 || parity == 2) {
      tio.c_cflag |= PARENB;
      tio.c_iflag |= INPCK;
      if (parity == 1) tio.c_cflag |= PARODD;
    }
    // Reads complete only when bytes have arrived; the fd is non-blocking and poll() waits.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, SpeedFor(baudRate));
    ::cfsetospeed(&tio, SpeedFor(baudRate));
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
      lastErrno_ = errno;
      code = kOpenLineStateFailed;
    } else {
      // tcsetattr succeeds if any one change took; read back what the driver really holds.
      termios back{};
      const tcflag_t cmask = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
      const tcflag_t imask = IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP;
      const tcflag_t lmask = ICANON | ECHO | ISIG | IEXTEN;
      if (::tcgetattr(fd, &back) != 0 || (back.c_cflag & cmask) != (tio.c_cflag & cmask) ||
          (back.c_iflag & imask) != (tio.c_iflag & imask) || (back.c_lflag & lmask) != 0 ||
          (back.c_oflag & OPOST) != 0 || ::cfgetospeed(&back) != SpeedFor(baudRate)) {
        lastErrno_ = EIO;
        code = kOpenLineStateFailed;
      }
    }
  }
  // DTR and RTS held inactive; low latency where the driver offers it.
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (::ioctl(fd, TIOCMBIC, &lines) != 0 && !Unsupported(errno) && code == kOpenOk) {
    lastErrno_ = errno;
    code = kOpenLineStateFailed;
  }
  serial_struct ss{};
  if (::ioctl(fd, TIOCGSERIAL, &ss) == 0) {
    ss.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &ss);
  }
  ::tcflush(fd, TCIOFLUSH);

  if (os_->wakeFd < 0 || os_->modemFd < 0) code = kOpenEventsInvalid;
  if (code != kOpenOk) {
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    return code;
  }

  {
    std::lock_guard lock(writeMutex_);
    writePending_ = false;
    writeLength_ = writeOffset_ = 0;
  }
  std::uint64_t drain;
  while (::read(os_->wakeFd, &drain, sizeof drain) > 0) {
  }
  while (::read(os_->modemFd, &drain, sizeof drain) > 0) {
  }
  os_->fd = fd;
  running_ = 1;
  thread_ = std::thread(&SerialChannel::CommThread, this);
  return kOpenOk;
}

bool SerialChannel::SystemDeviceOpen() const { return os_->fd.load() >= 0; }

// Returns false when the device refused the write for good.
bool SerialChannel::DoWrite() {
  std::unique_lock lock(writeMutex_);
  if (!writePending_) return true;
  while (writeOffset_ < writeLength_) {
    const ssize_t n = ::write(os_->fd.load(), writeBuffer_ + writeOffset_, writeLength_ - writeOffset_);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) return true;  // poll reports when the driver takes more
      return false;
    }
    writeOffset_ += static_cast<std::size_t>(n);
  }
  writePending_ = false;
  lock.unlock();
  Raise(PortEvent::DataSent);
  return true;
}

void SerialChannel::Os::EvaluateModemLines(SerialChannel& channel) {
  int status = 0;
  if (::ioctl(fd.load(), TIOCMGET, &status) != 0) return;
  const int changed = status ^ modemStatus;
  modemStatus = status;
  if ((changed & TIOCM_RNG) && (status & TIOCM_RNG)) channel.Raise(PortEvent::Ring);
  if (changed & TIOCM_CD)
    channel.Raise((status & TIOCM_CD) ? PortEvent::CarrierDetected : PortEvent::NoCarrier);
}

void SerialChannel::Os::ModemWaiter() {
  while (!modemStop) {
    if (::ioctl(fd.load(), TIOCMIWAIT, TIOCM_RNG | TIOCM_CD) == 0) {
      const std::uint64_t one = 1;
      [[maybe_unused]] ssize_t n = ::write(modemFd, &one, sizeof one);
    } else if (errno != EINTR) {
      break;  // no line-change waits on this driver, or the device is gone
    }
  }
  modemDone = true;
}

void SerialChannel::Os::StartModemWaiter(const SerialChannel& channel) {
  if (!channel.monitorEvents_ || !channel.modemWatched_) return;
  InstallWakeSignal();
  modemStop = false;
  modemDone = false;
  modemThread = std::thread(&SerialChannel::Os::ModemWaiter, this);
}

void SerialChannel::Os::StopModemWaiter() {
  if (!modemThread.joinable()) return;
  modemStop = true;
  // The signal may land just before the waiter enters the ioctl; repeat until it has left.
  for (int i = 0; i < 200 && !modemDone; ++i) {
    pthread_kill(modemThread.native_handle(), SIGUSR2);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  modemThread.join();
}

void SerialChannel::CommThread() {
  running_ = 1;
  Raise(PortEvent::Connected);
  os_->StartModemWaiter(*this);
  const int fd = os_->fd.load();
  bool alive = true;
  while (alive && !stop_) {
    pollfd fds[3];
    fds[0] = {os_->wakeFd, POLLIN, 0};
    fds[1] = {fd, static_cast<short>(POLLIN | (writePending_ ? POLLOUT : 0)), 0};
    fds[2] = {os_->modemFd, POLLIN, 0};
    const int ready = ::poll(fds, 3, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    // Shutdown first, so a closing port does no more I/O; then reads, so what the host sent is
    // taken before more goes out; then writes; the modem lines last, so the bytes that came before
    // a hang-up are delivered before it is reported.
    if (fds[0].revents & POLLIN) {
      std::uint64_t count;
      [[maybe_unused]] ssize_t n = ::read(os_->wakeFd, &count, sizeof count);
      if (stop_) break;
    }
    if (fds[1].revents & POLLIN) {
      std::uint8_t chunk[256];
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n > 0) {
        // Handed on one byte at a time, exactly as one-byte reads would deliver them.
        for (ssize_t i = 0; i < n && !stop_; ++i) {
          readBuffer_[0] = chunk[i];
          lastReadCount_ = 1;
          Raise(PortEvent::DataReceived);
        }
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        alive = false;  // unplugged, hung up or failed
        continue;
      }
    } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      alive = false;
      continue;
    }
    if ((fds[1].revents & POLLOUT) || writePending_) {
      if (!DoWrite()) alive = false;
    }
    if (fds[2].revents & POLLIN) {
      std::uint64_t count;
      [[maybe_unused]] ssize_t n = ::read(os_->modemFd, &count, sizeof count);
      os_->EvaluateModemLines(*this);
    }
  }
  os_->StopModemWaiter();
  running_ = 0;
  const int owned = os_->fd.exchange(-1);
  if (owned >= 0) {
    ::ioctl(owned, TIOCNXCL);
    ::close(owned);
  }
  lineLost_ = !stop_;
  Raise(PortEvent::Disconnected);
}

}  // namespace veyra

#include "link/Trace.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

#include "link/FileCompat.h"
#include "link/HostPort.h"

namespace veyra {

namespace {

std::string TraceLine(TraceKind kind, const Bytes& frame) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const long millis = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03ld %c ", local.tm_hour, local.tm_min, local.tm_sec,
                millis, kind == TraceKind::Sent ? '>' : '<');
  const char* dropped = kind == TraceKind::Repeat  ? "  [dropped: a copy of the answer]"
                        : kind == TraceKind::Stale ? "  [dropped: stale, the next command waits]"
                        : kind == TraceKind::Late  ? "  [late: the command before's, the next command waits]"
                                                   : "";
  return stamp + FormatHex(frame) + dropped + "\n";
}

}  // namespace

bool WriteTraceLine(std::FILE* out, TraceKind kind, const Bytes& frame) {
  static std::mutex mutex;
  const std::string line = TraceLine(kind, frame);
  std::lock_guard lock(mutex);
  // Whatever the stream holds goes first, so the line keeps its place among what was printed.
  std::fflush(out);
  const int fd = fileno(out);
  std::size_t written = 0;
  while (written < line.size()) {
    const auto n = WriteWithoutSigpipe(fd, line.data() + written, line.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

void EnableTrace(HostPort& port, std::FILE* out, TraceErrorFn onFirstError) {
  auto told = std::make_shared<std::atomic<bool>>(false);
  port.SetTrace([out, onFirstError = std::move(onFirstError), told](TraceKind kind, const Bytes& frame) {
    if (WriteTraceLine(out, kind, frame)) return;
    const std::string reason = std::strerror(errno);
    if (onFirstError && !told->exchange(true)) onFirstError(reason);
  });
}

std::FILE* OpenTraceFile(const std::string& path, std::string& reason) {
  // O_NONBLOCK: a FIFO without a reader fails with ENXIO here instead of waiting for one.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    reason = errno == ENXIO ? "nothing reads from it (a FIFO without a reader)" : std::strerror(errno);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "a");
  if (!file) {
    reason = std::strerror(errno);
    ::close(fd);
  }
  return file;
}

bool TraceFile::Start(const std::string& path) {
  std::string reason;
  std::FILE* file = OpenTraceFile(path, reason);
  if (!file) return false;
  Stop();
  file_ = file;
  before_ = port_.Trace();
  port_.SetTrace([before = before_, file](TraceKind kind, const Bytes& frame) {
    if (before) before(kind, frame);
    WriteTraceLine(file, kind, frame);
  });
  return true;
}

void TraceFile::Stop() {
  if (!file_) return;
  // The port calls its trace under its own lock: once the old one is back, no line is being
  // written to the file, and it can be closed.
  port_.SetTrace(before_);
  before_ = nullptr;
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace veyra

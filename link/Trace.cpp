#include "link/Trace.h"

#include <chrono>
#include <ctime>
#include <mutex>

#include "link/HostPort.h"

namespace veyra {

void WriteTraceLine(std::FILE* out, TraceKind kind, const Bytes& frame) {
  static std::mutex mutex;
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const long millis = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::lock_guard lock(mutex);
  const char* dropped = kind == TraceKind::Repeat  ? "  [dropped: a copy of the answer]"
                        : kind == TraceKind::Stale ? "  [dropped: stale, the next command waits]"
                                                   : "";
  std::fprintf(out, "%02d:%02d:%02d.%03ld %c %s%s\n", local.tm_hour, local.tm_min, local.tm_sec, millis,
               kind == TraceKind::Sent ? '>' : '<', FormatHex(frame).c_str(), dropped);
  std::fflush(out);
}

void EnableTrace(HostPort& port, std::FILE* out) {
  port.SetTrace([out](TraceKind kind, const Bytes& frame) { WriteTraceLine(out, kind, frame); });
}

bool TraceFile::Start(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "a");
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

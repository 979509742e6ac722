#include "link/Trace.h"

#include <chrono>
#include <ctime>
#include <mutex>

#include "link/HostPort.h"

namespace veyra {

void WriteTraceLine(std::FILE* out, bool sent, const Bytes& frame) {
  static std::mutex mutex;
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const long millis = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::lock_guard lock(mutex);
  std::fprintf(out, "%02d:%02d:%02d.%03ld %c %s\n", local.tm_hour, local.tm_min, local.tm_sec, millis,
               sent ? '>' : '<', FormatHex(frame).c_str());
  std::fflush(out);
}

void EnableTrace(HostPort& port, std::FILE* out) {
  port.SetTrace([out](bool sent, const Bytes& frame) { WriteTraceLine(out, sent, frame); });
}

}  // namespace veyra

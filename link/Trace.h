// Writes every frame sent and received, with a millisecond timestamp and its direction: what a
// technician needs to see when a host misbehaves.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "link/Frame.h"
#include "link/HostPort.h"

namespace veyra {

// "12:34:56.789 > AA 00 09 09 55" for a frame sent, "<" for one received (a received frame that
// was dropped says so and why after it), written whole with one write so that a pipe never gets
// half a line. False, with errno set, when it could not be: a full disk, /dev/full, a FIFO whose
// reader has gone or cannot keep up.
bool WriteTraceLine(std::FILE* out, TraceKind kind, const Bytes& frame);

// Told once, with the system's reason, when the first line cannot be written; the lines after it
// are still tried, and the command goes on.
using TraceErrorFn = std::function<void(const std::string& reason)>;
void EnableTrace(HostPort& port, std::FILE* out, TraceErrorFn onFirstError = nullptr);

// path opened for appending trace lines, created when missing, without ever waiting: a FIFO that
// nobody reads is refused rather than waited for, and the descriptor stays non-blocking, so a
// reader that falls behind costs lines (reported as above) instead of holding the link. Null, with
// why ("nothing reads from it", "Is a directory", "Permission denied"), when it cannot be appended
// to; close the file with fclose.
std::FILE* OpenTraceFile(const std::string& path, std::string& reason);

// The same lines appended to a file a person chose, beside whatever trace the port already has
// (--trace on standard output): a log a support person can ask an installer for. Each line is
// written as it comes, so the file holds every exchange up to a crash or an unplugged cable.
class TraceFile {
 public:
  explicit TraceFile(HostPort& port) : port_(port) {}
  ~TraceFile() { Stop(); }
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // Appends to path from now on (created when missing), instead of any file before; false, with
  // nothing changed, when it cannot be opened for appending (OpenTraceFile).
  bool Start(const std::string& path);
  // The port's trace is what it was before Start; the file is closed.
  void Stop();
  bool Active() const { return file_ != nullptr; }

 private:
  HostPort& port_;
  std::FILE* file_ = nullptr;
  HostPort::TraceFn before_;
};

}  // namespace veyra

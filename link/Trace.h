// Writes every frame sent and received, with a millisecond timestamp and its direction: what a
// technician needs to see when a host misbehaves.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "link/Frame.h"
#include "link/HostPort.h"

namespace veyra {

// "12:34:56.789 > AA 00 09 09 55" for a frame sent, "<" for one received; a received frame that
// was dropped says so and why after it.
void WriteTraceLine(std::FILE* out, TraceKind kind, const Bytes& frame);
void EnableTrace(HostPort& port, std::FILE* out);

// The same lines appended to a file a person chose, beside whatever trace the port already has
// (--trace on standard output): a log a support person can ask an installer for. Each line is
// flushed as it is written, so the file holds every exchange up to a crash or an unplugged cable.
class TraceFile {
 public:
  explicit TraceFile(HostPort& port) : port_(port) {}
  ~TraceFile() { Stop(); }
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // Appends to path from now on (created when missing), instead of any file before; false, with
  // nothing changed, when it cannot be opened for appending.
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

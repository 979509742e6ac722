// Serves a SimulatedHost on the master side of a pseudo-terminal, so the program under test opens
// the slave side like any serial device. Faults can be injected to exercise the link's recovery.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "hostsim/FaultyHost.h"

namespace veyra::hostsim {

class PtyHost : public FaultyHost {
 public:
  explicit PtyHost(std::string password = "1234");
  ~PtyHost();
  PtyHost(const PtyHost&) = delete;
  PtyHost& operator=(const PtyHost&) = delete;

  // Creates the pseudo-terminal and starts serving; false (with errno) when no pty can be had.
  bool Start();
  void Stop();
  // Closes the master side: the device disappears as an unplugged adapter does.
  void HangUp();
  const std::string& DevicePath() const { return devicePath_; }
  // Steady-clock nanoseconds at which the write carrying the last byte of the latest reply frame
  // began: the start of the program's share of an exchange, as benchmarks measure it.
  std::int64_t LastReplyWrittenNs() const { return lastReplyWrittenNs_.load(); }

  // Bytes unsolicited by any command: a late record, a stray frame.
  void Inject(const Bytes& bytes);

 private:
  void Serve();
  void Reply(const Answer& answer);
  bool SendBytes(const Bytes& bytes, const Faults& faults);
  bool SleepMs(int ms);  // false when stopping
  // True when a program closed the device since the last call: what it was sent is then no one's.
  bool ClientClosed();

  std::string devicePath_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line settings survive between the program's opens
  int wake_ = -1;
  int closeWatch_ = -1;  // inotify on the device: a program's close, even a killed one's
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> hungUp_{false};
  std::atomic<std::int64_t> lastReplyWrittenNs_{0};
  std::int64_t writeStartNs_ = 0;  // serving thread only

  std::mutex mutex_;  // the two below
  std::condition_variable cv_;
  Bytes injectQueue_;
};

}  // namespace veyra::hostsim

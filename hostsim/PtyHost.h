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

#include "hostsim/SimulatedHost.h"

namespace veyra::hostsim {

struct Faults {
  bool silent = false;                // read everything, answer nothing
  int answerFromAttempt = 1;          // answer a repeated command only from its k-th copy on
  Bytes garbageBefore;                // sent before every reply
  std::optional<Bytes> replaceReply;  // sent instead of every reply (a wrong acknowledgement)
  int delayMs = 0;                    // before every reply frame
  // Before the first frame of every answer: a host slow to think, then quick to talk. Longer than
  // the program's reply window, it answers each copy of a command the program writes again.
  int lateMs = 0;
  bool lateFirstCopyOnly = false;  // lateMs for a command's first copy only; its repeats at once
  bool pace = false;               // one byte every 1.04 ms, as at 9600 baud
  int hangUpAfterBytes = -1;       // send this many bytes of the next reply, then hang up
  int splitGapMs = 0;              // send the reply byte by byte with this gap
  // One command refused: a frame whose bytes from the command byte on start with refuseFrom (0D 05:
  // the number of slot 5) changes nothing and is answered with refuseReply (empty: not at all).
  Bytes refuseFrom;
  Bytes refuseReply;
};

class PtyHost {
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

  void SetFaults(const Faults& faults);
  SimulatedHost& Host() { return host_; }  // lock with Lock() while the server runs
  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

  // Bytes unsolicited by any command: a late record, a stray frame.
  void Inject(const Bytes& bytes);

  // What the host has read off the line.
  Bytes RawReceived() const;
  std::vector<Bytes> FramesReceived() const;
  // Waits (bounded) until at least count frames have been read; returns how many there are.
  std::size_t WaitForFrames(std::size_t count, int timeoutMs) const;
  void ClearLog();

 private:
  void Serve();
  void Reply(const std::vector<Bytes>& frames, const Faults& faults);
  bool SendBytes(const Bytes& bytes, const Faults& faults);
  bool SleepMs(int ms);  // false when stopping
  // True when a program closed the device since the last call: what it was sent is then no one's.
  bool ClientClosed();

  SimulatedHost host_;
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

  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  Faults faults_;
  Bytes raw_;
  std::vector<Bytes> frames_;
  Bytes lastFrame_;
  int repeats_ = 0;
  Bytes injectQueue_;
};

}  // namespace veyra::hostsim

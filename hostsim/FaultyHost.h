// What both ends of the simulated host share, the pseudo-terminal's and the in-process one's: the
// state machine behind the faults a test injects, and the log of what the program sent. The ends
// only move bytes and keep time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
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

// What one command frame earns.
struct Answer {
  std::vector<Bytes> frames;  // as the line carries them: garbage, replaced bodies and all
  Faults faults;              // in force when the command came
  int waitMs = 0;             // before the first frame, beside faults.delayMs before each
  bool hangUp = false;        // send the frames' first hangUpAfterBytes bytes, then hang up
};

class FaultyHost {
 public:
  explicit FaultyHost(std::string password) : host_(std::move(password)) {}

  // Bytes the program wrote, as they came, for the log.
  void Read(const std::uint8_t* bytes, std::size_t count);
  // A whole command frame: logged, and answered as the faults in force say.
  Answer Take(const Bytes& frame);
  void SetFaults(const Faults& faults);
  Faults CurrentFaults() const;
  SimulatedHost& Host() { return host_; }  // lock with Lock() while serving
  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

  Bytes RawReceived() const;
  std::vector<Bytes> FramesReceived() const;
  // Waits (bounded) until at least count frames have been read; returns how many there are.
  std::size_t WaitForFrames(std::size_t count, int timeoutMs) const;
  void ClearLog();

 private:
  SimulatedHost host_;
  mutable std::mutex mutex_;  // everything here
  mutable std::condition_variable framesCame_;
  Faults faults_;
  Bytes raw_;
  std::vector<Bytes> frames_;
  Bytes lastFrame_;
  int repeats_ = 0;
};

}  // namespace veyra::hostsim

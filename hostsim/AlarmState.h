// The simulated host's side of arming, timers, telephone numbers and the alarm log: frame in,
// reply frames out. Built from the host's byte layouts on its own, not from the utility's
// codecs, so a fault in one shows against the other.
// Not synchronised: the owner serialises Handle and the accessors.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

enum class AlarmMode { Disarmed, Armed, Partial };

// One group's timers as the host stores them: day code 0 (off) to 8, hour, minute.
struct TimerGroup {
  std::uint8_t armDay = 0, armHour = 0, armMinute = 0;
  std::uint8_t disarmDay = 0, disarmHour = 0, disarmMinute = 0;

  bool operator==(const TimerGroup&) const = default;
};

// One alarm log record before packing: source and event 0 to 15, month, day, hour, minute.
struct LogEntry {
  std::uint8_t source = 0, event = 0, zone = 0;
  std::uint8_t month = 1, day = 1, hour = 0, minute = 0;

  bool operator==(const LogEntry&) const = default;
};

class AlarmState {
 public:
  static constexpr int kGroupCount = 3;
  static constexpr int kSlotCount = 12;
  static constexpr std::size_t kMaxPackedBytes = 32;

  // Disarmed; two timer groups set, the third off; five numbers stored, one behind the 3G
  // prefix and one with "*"; a log of 39 records using every source and event code, the last
  // three with a 0xAA inside their frames (in the source/event byte, the zone, the checksum).
  AlarmState();

  bool Handles(std::uint8_t command) const;

  // Whole reply frames AA..55 in the order the host sends them; none for a frame the host
  // does not take (wrong command, short data, values out of range) and for reading an empty log.
  std::vector<Bytes> Handle(const Bytes& frame);

  AlarmMode Mode() const { return mode_; }
  const TimerGroup& Timer(int group) const;  // group 1 to 3
  const Bytes& SlotBytes(int slot) const;    // slot 1 to 12: the packed digits as stored
  const std::vector<LogEntry>& Log() const { return log_; }
  std::size_t LogSize() const { return log_.size(); }

  void AddLogEntry(const LogEntry& entry) { log_.push_back(entry); }

 private:
  std::vector<Bytes> Acknowledge(std::uint8_t command) const;
  std::vector<Bytes> SetTimer(const Bytes& frame);
  std::vector<Bytes> ReadTimers() const;
  std::vector<Bytes> WriteNumber(const Bytes& frame);
  std::vector<Bytes> ReadNumbers() const;
  std::vector<Bytes> ReadLog() const;

  AlarmMode mode_ = AlarmMode::Disarmed;
  std::array<TimerGroup, kGroupCount> timers_{};
  std::array<Bytes, kSlotCount> slots_{};
  std::vector<LogEntry> log_;
};

}  // namespace veyra::hostsim

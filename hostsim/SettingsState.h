// The simulated host's side of its setup record, signal level, password, clock, reset and format:
// frame in, reply frames out. Built from the host's byte layouts on its own, not from the
// utility's codecs, so a fault in one shows against the other.
// Not synchronised: the owner serialises Handle and the accessors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

// The six bytes the host keeps: option bits, siren minutes, redials, arm delay, alarm delay
// (seconds), MMS picture size code.
struct HostSetup {
  std::uint8_t options = 0, sirenMinutes = 0, redials = 0, armDelay = 0, alarmDelay = 0, pictureSize = 0;

  bool operator==(const HostSetup&) const = default;
};

// The host's clock as it was last set; weekday 1 (Monday) to 7 (Sunday).
struct HostClock {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0, weekday = 6;

  bool operator==(const HostClock&) const = default;
};

class SettingsState {
 public:
  // Options on: siren sound, power failure alarm, automatic network; 3 minutes of siren, 5
  // redials, 30 s to arm, 15 s to alarm, 320*240 pictures; a 3G signal of level 0x1A.
  SettingsState();

  bool Handles(std::uint8_t command) const;

  // Whole reply frames AA..55; none for a frame the host does not take (short, wrong length,
  // clock digits that are no date or time). The password is the host's login password, which
  // a change replaces.
  std::vector<Bytes> Handle(const Bytes& frame, std::string& password);

  const HostSetup& Setup() const { return setup_; }
  void SetSetup(const HostSetup& setup) { setup_ = setup; }
  std::uint8_t Signal() const { return signal_; }
  void SetSignal(std::uint8_t signal) { signal_ = signal; }
  const HostClock& Clock() const { return clock_; }
  int Resets() const { return resets_; }
  int Formats() const { return formats_; }

 private:
  std::vector<Bytes> ReadSetup() const;
  std::vector<Bytes> WriteSetup(const Bytes& frame);
  std::vector<Bytes> ChangePassword(const Bytes& frame, std::string& password) const;
  std::vector<Bytes> SetClock(const Bytes& frame);

  HostSetup setup_;
  std::uint8_t signal_ = 0;
  HostClock clock_;
  int resets_ = 0;
  int formats_ = 0;
};

}  // namespace veyra::hostsim

// A simulated alarm host: frame in, frames out. It keeps the state a real host keeps, so a read
// after a write shows what was written.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

class AlarmState;
class AccessoryState;
class DeviceState;
class SettingsState;

class SimulatedHost {
 public:
  explicit SimulatedHost(std::string password = "1234");
  ~SimulatedHost();

  // One whole command frame (AA .. 55) in, the reply frames out, in the order they are sent.
  std::vector<Bytes> Handle(const Bytes& frame);

  const std::string& Password() const { return password_; }
  void SetPassword(std::string password) { password_ = std::move(password); }
  AlarmState& Alarm() { return *alarm_; }
  SettingsState& Settings() { return *settings_; }
  DeviceState& Devices() { return *devices_; }
  AccessoryState& Accessories() { return *accessories_; }

  // The acknowledgement a host sends for a command it carried out: AA 00 kk kk 55.
  static Bytes Ack(std::uint8_t command);

 private:
  Bytes LoginReply(const Bytes& frame) const;

  std::string password_;
  std::unique_ptr<AlarmState> alarm_;
  std::unique_ptr<SettingsState> settings_;
  std::unique_ptr<DeviceState> devices_;
  std::unique_ptr<AccessoryState> accessories_;
};

// Collects bytes from the line into command frames the way a host's firmware would: by the LEN
// byte, with the end byte and the checksum checked; anything else is skipped.
class HostFrameReader {
 public:
  // Returns the complete frames the new bytes finish.
  std::vector<Bytes> Feed(const std::uint8_t* bytes, std::size_t count);

 private:
  Bytes pending_;
};

}  // namespace veyra::hostsim

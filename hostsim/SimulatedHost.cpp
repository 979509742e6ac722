#include "hostsim/SimulatedHost.h"

#include "hostsim/AccessoryState.h"
#include "hostsim/AlarmState.h"
#include "hostsim/DeviceState.h"
#include "hostsim/SettingsState.h"

namespace veyra::hostsim {

SimulatedHost::SimulatedHost(std::string password)
    : password_(std::move(password)),
      alarm_(std::make_unique<AlarmState>()),
      settings_(std::make_unique<SettingsState>()),
      devices_(std::make_unique<DeviceState>()),
      accessories_(std::make_unique<AccessoryState>()) {}

SimulatedHost::~SimulatedHost() = default;

Bytes SimulatedHost::Ack(std::uint8_t command) { return BuildFrame({0x00, command}); }

Bytes SimulatedHost::LoginReply(const Bytes& frame) const {
  std::uint8_t verdict = 0x00;
  if (frame.size() >= 7 && frame[1] == 0x02 && password_.size() == 4) {
    auto digit = [this](int i) { return static_cast<std::uint8_t>(password_[i] - '0'); };
    const std::uint8_t high = static_cast<std::uint8_t>(digit(0) << 4 | digit(1));
    const std::uint8_t low = static_cast<std::uint8_t>(digit(2) << 4 | digit(3));
    if (frame[3] == high && frame[4] == low) verdict = 0x01;
  }
  return BuildFrame({0x01, 0x01, verdict});
}

std::vector<Bytes> SimulatedHost::Handle(const Bytes& frame) {
  if (frame.size() < kFrameOverhead) return {};
  const std::uint8_t command = frame[kFrameCmdOffset];
  if (command == 0x01) return {LoginReply(frame)};
  if (alarm_->Handles(command)) return alarm_->Handle(frame);
  // A password change replaces the one the login checks.
  if (settings_->Handles(command)) return settings_->Handle(frame, password_);
  if (devices_->Handles(command)) return devices_->Handle(frame);
  if (accessories_->Handles(command)) return accessories_->Handle(frame);
  return {Ack(command)};
}

std::vector<Bytes> HostFrameReader::Feed(const std::uint8_t* bytes, std::size_t count) {
  std::vector<Bytes> frames;
  pending_.insert(pending_.end(), bytes, bytes + count);
  std::size_t pos = 0;
  while (true) {
    while (pos < pending_.size() && pending_[pos] != kFrameStart) ++pos;
    if (pending_.size() - pos < 2) break;
    const std::size_t length = pending_[pos + 1] + kFrameOverhead;
    if (pending_.size() - pos < length) break;
    Bytes candidate(pending_.begin() + static_cast<std::ptrdiff_t>(pos),
                    pending_.begin() + static_cast<std::ptrdiff_t>(pos + length));
    const Bytes payload(candidate.begin() + 1, candidate.end() - 2);
    if (candidate.back() == kFrameEnd && candidate[length - 2] == Checksum(payload)) {
      frames.push_back(std::move(candidate));
      pos += length;
    } else {
      ++pos;  // a false start: look for the next 0xAA
    }
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
  return frames;
}

}  // namespace veyra::hostsim

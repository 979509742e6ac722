#include "hostsim/SettingsState.h"

#include <optional>

namespace veyra::hostsim {

namespace {

constexpr std::uint8_t kReadSetup = 0x03;
constexpr std::uint8_t kWriteSetup = 0x04;
constexpr std::uint8_t kChangePassword = 0x05;
constexpr std::uint8_t kSetClock = 0x06;
constexpr std::uint8_t kReset = 0x23;
constexpr std::uint8_t kFormat = 0x25;

constexpr std::uint8_t kPasswordChanged = 0x05;
constexpr std::uint8_t kPasswordWrong = 0xFF;
constexpr std::uint8_t kPasswordNotChanged = 0x00;

// Two packed decimal digits; none when either nibble is not a digit.
std::optional<int> Bcd(std::uint8_t byte) {
  const int high = byte >> 4, low = byte & 0x0F;
  if (high > 9 || low > 9) return std::nullopt;
  return high * 10 + low;
}

// A password as four digit characters, from its two packed bytes; empty when they are no digits.
std::string PasswordDigits(std::uint8_t high, std::uint8_t low) {
  std::string digits;
  for (const int nibble : {high >> 4, high & 0x0F, low >> 4, low & 0x0F}) {
    if (nibble > 9) return {};
    digits.push_back(static_cast<char>('0' + nibble));
  }
  return digits;
}

Bytes Acknowledge(std::uint8_t command) { return BuildFrame({0x00, command}); }

}  // namespace

SettingsState::SettingsState() : setup_{0x26, 3, 5, 30, 15, 1}, signal_(0x80 | 0x1A) {}

bool SettingsState::Handles(std::uint8_t command) const {
  switch (command) {
    case kReadSetup:
    case kWriteSetup:
    case kChangePassword:
    case kSetClock:
    case kReset:
    case kFormat:
      return true;
    default:
      return false;
  }
}

std::vector<Bytes> SettingsState::Handle(const Bytes& frame, std::string& password) {
  if (frame.size() < kFrameOverhead) return {};
  switch (frame[2]) {
    case kReadSetup:
      return ReadSetup();
    case kWriteSetup:
      return WriteSetup(frame);
    case kChangePassword:
      return ChangePassword(frame, password);
    case kSetClock:
      return SetClock(frame);
    case kReset:
      ++resets_;
      return {Acknowledge(kReset)};
    case kFormat:
      ++formats_;
      return {Acknowledge(kFormat)};
    default:
      return {};
  }
}

std::vector<Bytes> SettingsState::ReadSetup() const {
  const HostSetup& s = setup_;
  return {BuildFrame({0x07, kReadSetup, s.options, s.sirenMinutes, s.redials, s.armDelay, s.alarmDelay,
                      s.pictureSize, signal_})};
}

std::vector<Bytes> SettingsState::WriteSetup(const Bytes& frame) {
  // Any size code is kept: a newer host knows more sizes than an older utility.
  if (frame[1] != 6 || frame.size() != 6 + kFrameOverhead) return {};
  const std::uint8_t* d = frame.data() + 3;
  setup_ = HostSetup{d[0], d[1], d[2], d[3], d[4], d[5]};
  return {Acknowledge(kWriteSetup)};
}

std::vector<Bytes> SettingsState::ChangePassword(const Bytes& frame, std::string& password) const {
  std::uint8_t verdict = kPasswordNotChanged;
  if (frame[1] == 4 && frame.size() == 4 + kFrameOverhead) {
    const std::string current = PasswordDigits(frame[3], frame[4]);
    const std::string replacement = PasswordDigits(frame[5], frame[6]);
    if (current != password) {
      verdict = kPasswordWrong;
    } else if (!replacement.empty()) {
      password = replacement;
      verdict = kPasswordChanged;
    }
  }
  return {BuildFrame({0x01, kChangePassword, verdict})};
}

std::vector<Bytes> SettingsState::SetClock(const Bytes& frame) {
  if (frame[1] != 8 || frame.size() != 8 + kFrameOverhead) return {};
  int v[8];
  for (int i = 0; i < 8; ++i) {
    const std::optional<int> digits = Bcd(frame[3 + i]);
    if (!digits) return {};
    v[i] = *digits;
  }
  const HostClock clock{v[0] * 100 + v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
  if (clock.month < 1 || clock.month > 12 || clock.day < 1 || clock.day > 31 || clock.hour > 23 ||
      clock.minute > 59 || clock.second > 59 || clock.weekday < 1 || clock.weekday > 7)
    return {};
  clock_ = clock;
  return {Acknowledge(kSetClock)};
}

}  // namespace veyra::hostsim

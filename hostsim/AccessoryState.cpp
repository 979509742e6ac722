#include "hostsim/AccessoryState.h"

#include <cstdio>

namespace veyra::hostsim {

namespace {

constexpr std::uint8_t kSmartHomeId = 0x20;
constexpr std::uint8_t kSingleTrigger = 0x21;
constexpr std::uint8_t kDoubleTrigger = 0x22;
constexpr std::uint8_t kMmsApn = 0x26;
constexpr std::uint8_t kMmsUser = 0x27;
constexpr std::uint8_t kMmsUrl = 0x29;
constexpr std::uint8_t kMmsGateway = 0x30;
constexpr std::uint8_t kMmsTest = 0x32;

constexpr int kChannels = 9;

Bytes Acknowledge(std::uint8_t command) { return BuildFrame({0x00, command}); }

// "text" at the front of rest, taken off it; false when rest does not start with a quoted text.
// The text ends at the first quote that is followed by `end` (a character, or the end of rest
// when end is 0).
bool TakeQuoted(std::string& rest, char end, std::string& text) {
  if (rest.empty() || rest[0] != '"') return false;
  for (std::size_t close = 1; close < rest.size(); ++close) {
    if (rest[close] != '"') continue;
    const bool atEnd = close + 1 == rest.size();
    if ((end == 0 && atEnd) || (end != 0 && !atEnd && rest[close + 1] == end)) {
      text = rest.substr(1, close - 1);
      rest.erase(0, close + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

bool AccessoryState::Handles(std::uint8_t command) const {
  switch (command) {
    case kSmartHomeId:
    case kSingleTrigger:
    case kDoubleTrigger:
    case kMmsApn:
    case kMmsUser:
    case kMmsUrl:
    case kMmsGateway:
    case kMmsTest:
      return true;
    default:
      return false;
  }
}

std::vector<Bytes> AccessoryState::Handle(const Bytes& frame) {
  if (frame.size() < kFrameOverhead || static_cast<std::size_t>(frame[1]) != frame.size() - kFrameOverhead)
    return {};
  const std::uint8_t command = frame[2];
  const Bytes data(frame.begin() + 3, frame.end() - 2);
  const std::string text(data.begin(), data.end());
  bool taken = false;
  switch (command) {
    case kSmartHomeId:
      taken = SetSmartHomeId(data);
      break;
    case kSingleTrigger:
      taken = data.size() == 1 && data[0] >= 1 && data[0] <= kChannels;
      if (taken) lastSingle_ = data[0];
      break;
    case kDoubleTrigger:
      taken = data.size() == 1 && SetDoubleTrigger(data[0]);
      break;
    case kMmsApn:
      mms_.apn = text;
      taken = true;
      break;
    case kMmsUser:
      taken = SetUser(text);
      break;
    case kMmsUrl:
      mms_.url = text;
      taken = true;
      break;
    case kMmsGateway:
      taken = SetGateway(text);
      break;
    case kMmsTest:
      taken = SendTest(data);
      break;
    default:
      break;
  }
  if (!taken) return {};
  return {Acknowledge(command)};
}

bool AccessoryState::SetSmartHomeId(const Bytes& data) {
  if (data.size() != 3) return false;
  std::string digits;
  for (const std::uint8_t byte : data) {
    for (const int nibble : {byte >> 4, byte & 0x0F}) {
      if (nibble > 9) return false;
      digits.push_back(static_cast<char>('0' + nibble));
    }
  }
  smartHomeId_ = digits;
  return true;
}

bool AccessoryState::SetDoubleTrigger(std::uint8_t code) {
  const int channel = code >> 4, state = code & 0x0F;
  if (channel < 1 || channel > kChannels || state > 1) return false;
  lastDouble_ = code;
  return true;
}

// Empty, or "password","user".
bool AccessoryState::SetUser(const std::string& text) {
  std::string rest = text, password, user;
  if (!rest.empty()) {
    if (!TakeQuoted(rest, ',', password)) return false;
    rest.erase(0, 1);  // the comma
    if (!TakeQuoted(rest, 0, user)) return false;
  }
  mms_.password = password;
  mms_.user = user;
  return true;
}

// 1 or 0 for WAP 2.0 or 1.2, then ,"ip",port.
bool AccessoryState::SetGateway(const std::string& text) {
  if (text.size() < 2 || (text[0] != '1' && text[0] != '0') || text[1] != ',') return false;
  std::string rest = text.substr(2), ip;
  if (!TakeQuoted(rest, ',', ip)) return false;
  mms_.wap20 = text[0] == '1';
  mms_.ip = ip;
  mms_.port = rest.substr(1);
  return true;
}

bool AccessoryState::SendTest(const Bytes& data) {
  if (data.empty()) return false;
  std::string nibbles;
  for (const std::uint8_t byte : data) {
    nibbles.push_back("0123456789ABCDEF"[byte >> 4]);
    nibbles.push_back("0123456789ABCDEF"[byte & 0x0F]);
  }
  // One F pads an odd count of characters, two an even one. A number that itself ends in F reads
  // one F short, as it would on a real host: the layout cannot tell.
  if (nibbles.size() >= 2 && nibbles.compare(nibbles.size() - 2, 2, "FF") == 0) {
    nibbles.resize(nibbles.size() - 2);
  } else if (nibbles.back() == 'F') {
    nibbles.pop_back();
  } else {
    return false;
  }
  for (char& c : nibbles)
    if (c == 'B') c = '+';
  testPhone_ = nibbles;
  ++testsSent_;
  return true;
}

std::string AccessoryState::Describe() const {
  const auto code = [](const std::optional<std::uint8_t>& c) {
    char text[3] = "";
    if (c) std::snprintf(text, sizeof text, "%02X", *c);
    return std::string(text);
  };
  return "id=" + smartHomeId_ + " single=" + code(lastSingle_) + " double=" + code(lastDouble_) +
         " apn=" + mms_.apn + " password=" + mms_.password + " user=" + mms_.user + " url=" + mms_.url +
         " wap=" + (mms_.wap20 ? "2.0" : "1.2") + " ip=" + mms_.ip + " port=" + mms_.port +
         " phone=" + testPhone_.value_or("") + " tests=" + std::to_string(testsSent_);
}

}  // namespace veyra::hostsim

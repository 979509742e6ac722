// The simulated host's side of the smart-home ID and trigger codes, the MMS parameters: frame in, reply
// frames out. Built from the host's byte layouts on its own, not from the utility's codecs. Not synchronised:
// the owner serialises Handle and the accessors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

// What the host keeps for sending MMS. Texts are the bytes as they came, one byte a character.
struct MmsParameters {
  std::string apn, password, user, url, ip, port;
  bool wap20 = true;  // WAP 2.0, else WAP 1.2

  bool operator==(const MmsParameters&) const = default;
};

class AccessoryState {
 public:
  bool Handles(std::uint8_t command) const;

  // Acknowledges (AA 00 kk kk 55) every command it takes; answers nothing to a frame it cannot
  // take: a wrong length, ID nibbles that are no digits, a channel or code outside the nine
  // channels, a quoted text out of its form, a test number without its F padding.
  std::vector<Bytes> Handle(const Bytes& frame);

  // The six ID digits; empty until one was set.
  const std::string& SmartHomeId() const { return smartHomeId_; }
  std::optional<std::uint8_t> LastSingleTrigger() const { return lastSingle_; }
  std::optional<std::uint8_t> LastDoubleTrigger() const { return lastDouble_; }

  const MmsParameters& Mms() const { return mms_; }
  // The last test number as its characters, the padding F dropped and every B shown as "+";
  // none before the first test MMS.
  const std::optional<std::string>& LastTestPhone() const { return testPhone_; }
  int TestsSent() const { return testsSent_; }

  // Everything above on one line, "id=123456 single=03 double=20 apn=... tests=1", each value as
  // kept (codes in hexadecimal, empty when none), for logs and for tests to name what they expect.
  std::string Describe() const;

 private:
  bool SetSmartHomeId(const Bytes& data);
  bool SetDoubleTrigger(std::uint8_t code);
  bool SetUser(const std::string& text);
  bool SetGateway(const std::string& text);
  bool SendTest(const Bytes& data);

  std::string smartHomeId_;
  std::optional<std::uint8_t> lastSingle_, lastDouble_;
  MmsParameters mms_;
  std::optional<std::string> testPhone_;
  int testsSent_ = 0;
};

}  // namespace veyra::hostsim

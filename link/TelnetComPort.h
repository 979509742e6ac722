// Telnet with the COM-PORT-OPTION as a serial line needs it: the request for the line's settings,
// the escaping of 0xFF in data, and a decoder that takes the server's stream apart into data bytes,
// the option negotiation it owes an answer, the settings the server acknowledged and its modem-state
// notifications. Bytes in, bytes out: no sockets, no clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace veyra::telnet {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250,
                              kSe = 240;
inline constexpr std::uint8_t kBinary = 0, kSuppressGoAhead = 3, kComPortOption = 44;

// COM-PORT-OPTION commands as the client sends them; the server answers each with the code + 100.
inline constexpr std::uint8_t kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4,
                              kSetControl = 5, kNotifyModemState = 7, kSetModemStateMask = 11;
inline constexpr std::uint8_t kServerOffset = 100;
// Values of the settings this program asks for.
inline constexpr std::uint8_t kParityNone = 1, kStopBitsOne = 1;
inline constexpr std::uint8_t kControlNoFlow = 1, kControlDtrOff = 9, kControlRtsOff = 12,
                              kControlInboundNoFlow = 14;
// Modem-state bits of a notification.
inline constexpr std::uint8_t kModemCarrier = 0x80, kModemRing = 0x40, kModemRingEdge = 0x04,
                              kModemCarrierDelta = 0x08;

// Data bytes as they go on the wire: each 0xFF doubled.
Bytes Escape(const std::uint8_t* bytes, std::size_t count);

// What a client sends first: it offers the COM-PORT-OPTION and binary transmission, then asks for
// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control either way, DTR and RTS off, and
// notifications of carrier and ring.
Bytes LineRequest(std::uint32_t baudRate = 9600);

// The settings as the server acknowledged them; a setting it has not answered is empty.
struct AcceptedLine {
  std::optional<std::uint32_t> baudRate;
  std::optional<std::uint8_t> dataSize, parity, stopSize;
  std::optional<std::uint8_t> outboundFlow, inboundFlow, dtr, rts;

  // True once the settings that make a 9600 8N1 line have all been answered.
  bool Complete() const;
  // True when an answered setting differs from what LineRequest asked for.
  bool Refused(std::uint32_t baudRate = 9600) const;
};

// What one call of Decoder::Feed produced.
struct Decoded {
  Bytes data;                             // the line's bytes, unescaped, in order
  Bytes reply;                            // negotiation owed to the server, ready to send
  std::vector<std::uint8_t> modemStates;  // each NOTIFY-MODEMSTATE's value, in order
};

class Decoder {
 public:
  // Takes bytes as they came, split anywhere; a command cut off is finished by the next call.
  void Feed(const std::uint8_t* bytes, std::size_t count, Decoded& out);
  const AcceptedLine& Accepted() const { return accepted_; }
  // False once the server has refused the COM-PORT-OPTION (DONT or WONT).
  bool ComPortAgreed() const { return !comPortRefused_; }

 private:
  enum class State { Data, Iac, Option, Sub, SubIac };
  void Negotiate(std::uint8_t verb, std::uint8_t option, Decoded& out);
  void Subnegotiation(Decoded& out);

  State state_ = State::Data;
  std::uint8_t verb_ = 0;
  Bytes sub_;
  AcceptedLine accepted_;
  // What each side has agreed to, so a confirmation is never answered again (no loops).
  bool weWill_[256] = {};
  bool theyWill_[256] = {};
  bool comPortRefused_ = false;
};

}  // namespace veyra::telnet

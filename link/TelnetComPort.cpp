#include "link/TelnetComPort.h"

namespace veyra::telnet {
namespace {

bool WeOffer(std::uint8_t option) {
  return option == kBinary || option == kSuppressGoAhead || option == kComPortOption;
}
bool WeAccept(std::uint8_t option) { return option == kBinary || option == kSuppressGoAhead; }

void AppendSub(Bytes& out, std::uint8_t command, const Bytes& value) {
  out.insert(out.end(), {kIac, kSb, kComPortOption, command});
  const Bytes escaped = Escape(value.data(), value.size());
  out.insert(out.end(), escaped.begin(), escaped.end());
  out.insert(out.end(), {kIac, kSe});
}

}  // namespace

Bytes Escape(const std::uint8_t* bytes, std::size_t count) {
  Bytes out;
  out.reserve(count + 8);
  for (std::size_t i = 0; i < count; ++i) {
    out.push_back(bytes[i]);
    if (bytes[i] == kIac) out.push_back(kIac);
  }
  return out;
}

Bytes LineRequest(std::uint32_t baudRate) {
  Bytes out = {kIac, kWill, kComPortOption,   kIac, kWill, kBinary,         kIac, kDo, kBinary,
               kIac, kWill, kSuppressGoAhead, kIac, kDo,   kSuppressGoAhead};
  AppendSub(out, kSetBaudRate,
            {static_cast<std::uint8_t>(baudRate >> 24), static_cast<std::uint8_t>(baudRate >> 16),
             static_cast<std::uint8_t>(baudRate >> 8), static_cast<std::uint8_t>(baudRate)});
  AppendSub(out, kSetDataSize, {8});
  AppendSub(out, kSetParity, {kParityNone});
  AppendSub(out, kSetStopSize, {kStopBitsOne});
  AppendSub(out, kSetControl, {kControlNoFlow});
  AppendSub(out, kSetControl, {kControlInboundNoFlow});
  AppendSub(out, kSetControl, {kControlDtrOff});
  AppendSub(out, kSetControl, {kControlRtsOff});
  AppendSub(out, kSetModemStateMask, {kModemCarrier | kModemRing | kModemRingEdge | kModemCarrierDelta});
  return out;
}

bool AcceptedLine::Complete() const { return baudRate && dataSize && parity && stopSize && outboundFlow; }

bool AcceptedLine::Refused(std::uint32_t wanted) const {
  return (baudRate && *baudRate != wanted) || (dataSize && *dataSize != 8) ||
         (parity && *parity != kParityNone) || (stopSize && *stopSize != kStopBitsOne) ||
         (outboundFlow && *outboundFlow != kControlNoFlow) ||
         (inboundFlow && *inboundFlow != kControlInboundNoFlow) || (dtr && *dtr != kControlDtrOff) ||
         (rts && *rts != kControlRtsOff);
}

void Decoder::Feed(const std::uint8_t* bytes, std::size_t count, Decoded& out) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t b = bytes[i];
    switch (state_) {
      case State::Data:
        if (b == kIac)
          state_ = State::Iac;
        else
          out.data.push_back(b);
        break;
      case State::Iac:
        if (b == kIac) {
          out.data.push_back(kIac);
          state_ = State::Data;
        } else if (b == kWill || b == kWont || b == kDo || b == kDont) {
          verb_ = b;
          state_ = State::Option;
        } else if (b == kSb) {
          sub_.clear();
          state_ = State::Sub;
        } else {
          state_ = State::Data;  // NOP, GA, break, ... carry nothing for a serial line
        }
        break;
      case State::Option:
        Negotiate(verb_, b, out);
        state_ = State::Data;
        break;
      case State::Sub:
        if (b == kIac)
          state_ = State::SubIac;
        else
          sub_.push_back(b);
        break;
      case State::SubIac:
        if (b == kIac) {
          sub_.push_back(kIac);
          state_ = State::Sub;
        } else if (b == kSe) {
          Subnegotiation(out);
          state_ = State::Data;
        } else {
          // A broken subnegotiation: drop it, and read the byte as the command it starts.
          state_ = State::Iac;
          --i;
        }
        break;
    }
  }
}

void Decoder::Negotiate(std::uint8_t verb, std::uint8_t option, Decoded& out) {
  switch (verb) {
    case kDo:
      if (WeOffer(option)) {
        // LineRequest offered these already; a DO is the confirmation.
        weWill_[option] = true;
      } else {
        out.reply.insert(out.reply.end(), {kIac, kWont, option});
      }
      break;
    case kDont:
      if (option == kComPortOption) comPortRefused_ = true;
      if (weWill_[option]) out.reply.insert(out.reply.end(), {kIac, kWont, option});
      weWill_[option] = false;
      break;
    case kWill:
      if (WeAccept(option)) {
        theyWill_[option] = true;
      } else if (option != kComPortOption) {
        out.reply.insert(out.reply.end(), {kIac, kDont, option});
      }
      break;
    case kWont:
      if (theyWill_[option]) out.reply.insert(out.reply.end(), {kIac, kDont, option});
      theyWill_[option] = false;
      break;
    default:
      break;
  }
}

void Decoder::Subnegotiation(Decoded& out) {
  if (sub_.size() < 2 || sub_[0] != kComPortOption) return;
  const std::uint8_t command = sub_[1];
  const Bytes value(sub_.begin() + 2, sub_.end());
  if (command < kServerOffset || value.empty()) return;
  switch (command - kServerOffset) {
    case kSetBaudRate:
      if (value.size() == 4)
        accepted_.baudRate = (std::uint32_t{value[0]} << 24) | (std::uint32_t{value[1]} << 16) |
                             (std::uint32_t{value[2]} << 8) | value[3];
      break;
    case kSetDataSize:
      accepted_.dataSize = value[0];
      break;
    case kSetParity:
      accepted_.parity = value[0];
      break;
    case kSetStopSize:
      accepted_.stopSize = value[0];
      break;
    case kSetControl:
      // The answer's value says which setting it is about.
      if (value[0] <= 3)
        accepted_.outboundFlow = value[0];
      else if (value[0] >= 7 && value[0] <= 9)
        accepted_.dtr = value[0];
      else if (value[0] >= 10 && value[0] <= 12)
        accepted_.rts = value[0];
      else if (value[0] >= 13 && value[0] <= 16)
        accepted_.inboundFlow = value[0];
      break;
    case kNotifyModemState:
      out.modemStates.push_back(value[0]);
      break;
    default:
      break;
  }
}

}  // namespace veyra::telnet

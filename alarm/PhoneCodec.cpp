#include "alarm/PhoneCodec.h"

#include <algorithm>

namespace veyra::alarm {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '*' || c == ':' || c == 'G' || c == 'g';
}

void AppendNibble(std::string& text, int nibble) {
  text.push_back(nibble == 0xB ? '*' : static_cast<char>('0' + nibble));
}

}  // namespace

std::string PhoneSlotFailureText(int slot) {
  return "Сбой при сохранения телефонных номеров " + std::to_string(slot) + "!";
}

Bytes PhoneReadPayload() { return {0x00, kPhoneReadCommand}; }

std::string DecodePhoneDigits(const std::uint8_t* packed, std::size_t count) {
  count = std::min(count, kPhoneMaxPackedBytes);
  std::string text;
  std::size_t i = 0;
  if (count > 0 && packed[0] == kPhone3GByte) {
    text = "3G";
    i = 1;
  }
  for (; i < count; ++i) {
    const int high = packed[i] >> 4;
    if (high >= 0xC) break;
    AppendNibble(text, high);
    const int low = packed[i] & 0x0F;
    if (low >= 0xC) break;
    AppendNibble(text, low);
  }
  return text;
}

std::string DecodePhoneDigits(const Bytes& packed) {
  return DecodePhoneDigits(packed.data(), packed.size());
}

std::optional<PhoneNumber> DecodePhoneFrame(const Bytes& frame) {
  if (frame.size() <= kFrameCmdOffset || frame[kFrameCmdOffset] != kPhoneReadCommand)
    return std::nullopt;
  const std::size_t data = FrameDataLength(frame);
  if (data < 1) return std::nullopt;
  const int slot = frame[kFrameDataOffset];
  if (slot < 1 || slot > kPhoneSlotCount) return std::nullopt;
  return PhoneNumber{slot, DecodePhoneDigits(frame.data() + kFrameDataOffset + 1, data - 1)};
}

std::optional<std::string> NormalizePhoneText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() > kPhoneMaxDigits) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), IsNumberCharacter)) return std::nullopt;
  return std::string(text);
}

Bytes EncodePhoneDigits(std::string_view number) {
  std::string hex(number);
  hex += hex.size() % 2 ? "F" : "FF";
  for (char& c : hex) {
    if (c == '*' || c == 'G' || c == 'g') c = 'B';
  }
  Bytes packed;
  HexTextToBytes(hex, packed);
  return packed;
}

PhoneRequest PhoneWritePayload(int slot, std::string_view text) {
  PhoneRequest request;
  const std::optional<std::string> number = NormalizePhoneText(text);
  if (slot < 1 || slot > kPhoneSlotCount || !number) {
    request.refusal = Message{PhoneSlotFailureText(slot)};
    return request;
  }
  const Bytes packed = EncodePhoneDigits(*number);
  Bytes payload{static_cast<std::uint8_t>(packed.size() + 1), kPhoneWriteCommand,
                static_cast<std::uint8_t>(slot)};
  payload.insert(payload.end(), packed.begin(), packed.end());
  request.payload = std::move(payload);
  return request;
}

bool PhoneWriteAcknowledged(const Bytes& receivedFrame, const AckCheck& checkAck) {
  return receivedFrame.size() > kFrameCmdOffset &&
         receivedFrame[kFrameCmdOffset] == kPhoneWriteCommand && checkAck &&
         checkAck(CommandKey(kPhoneWriteCommand), receivedFrame) == 1;
}

void PhoneSaveTracker::Begin() {
  lastSlotOk_ = 1;
  anyFailed_ = false;
}

void PhoneSaveTracker::Skip() { lastSlotOk_ = 1; }

PhoneRequest PhoneSaveTracker::StartWrite(int slot, std::string_view text) {
  lastSlotOk_ = 0;
  savingSlot_ = slot;
  PhoneRequest request = PhoneWritePayload(slot, text);
  if (request.refusal) anyFailed_ = true;
  return request;
}

void PhoneSaveTracker::OnReply(const Bytes& receivedFrame, const AckCheck& checkAck) {
  if (receivedFrame.size() <= kFrameCmdOffset ||
      receivedFrame[kFrameCmdOffset] != kPhoneWriteCommand || savingSlot_ == 0)
    return;
  lastSlotOk_ = PhoneWriteAcknowledged(receivedFrame, checkAck) ? 1 : 0;
}

std::optional<Message> PhoneSaveTracker::FinishWrite(int sendResult) {
  if (sendResult == 0) {
    // A late acknowledgement must not turn a slot that got no reply into a success.
    lastSlotOk_ = 0;
    anyFailed_ = true;
    return Message{PhoneSlotFailureText(savingSlot_)};
  }
  if (lastSlotOk_ == 0) anyFailed_ = true;
  return std::nullopt;
}

std::optional<Message> PhoneSaveTracker::Finish() const {
  if (!anyFailed_) return std::nullopt;
  return Message{std::string(kPhoneSaveFailureText)};
}

}  // namespace veyra::alarm

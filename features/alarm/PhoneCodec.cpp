#include "features/alarm/PhoneCodec.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "link/TextParts.h"
#include "link/Translatable.h"

namespace veyra::alarm {

namespace {

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '*' || c == ':' || c == 'G' || c == 'g';
}

// The character that starts at text[at], as a person would recognise it: a whole UTF-8 sequence
// (a Cyrillic letter is two bytes) in quotes, a blank by name, a control character by its code.
std::string CharacterName(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead == ' ' || lead == '\t') return std::string(kPhoneBlankName);
  if (lead < 0x20 || lead == 0x7F) {
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", lead);
    return code;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t end = at + 1;
  while (end < text.size() && end < at + length && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    ++end;
  return "«" + std::string(text.substr(at, end - at)) + "»";
}

void AppendNibble(std::string& text, int nibble) {
  text.push_back(nibble == 0xB ? '*' : static_cast<char>('0' + nibble));
}

}  // namespace

std::string PhoneSlotFailureText(int slot) { return FillIn(kPhoneSlotFailurePattern, std::to_string(slot)); }

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

std::string DecodePhoneDigits(const Bytes& packed) { return DecodePhoneDigits(packed.data(), packed.size()); }

std::optional<PhoneNumber> DecodePhoneFrame(const Bytes& frame) {
  if (frame.size() <= kFrameCmdOffset || frame[kFrameCmdOffset] != kPhoneReadCommand) return std::nullopt;
  const std::size_t data = FrameDataLength(frame);
  if (data < 1) return std::nullopt;
  const int slot = frame[kFrameDataOffset];
  if (slot < 1 || slot > kPhoneSlotCount) return std::nullopt;
  return PhoneNumber{slot, DecodePhoneDigits(frame.data() + kFrameDataOffset + 1, data - 1)};
}

std::optional<std::string> NormalizePhoneText(std::string_view text, std::size_t maxDigits) {
  text = Trim(text);
  if (text.size() > maxDigits) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), IsNumberCharacter)) return std::nullopt;
  return std::string(text);
}

std::string PhoneRefusalDetail(std::string_view text) {
  text = Trim(text);
  const auto bad = std::find_if_not(text.begin(), text.end(), IsNumberCharacter);
  if (bad != text.end()) {
    if (*bad == '+') return std::string(kPhonePlusDetailText);
    return FillIn(kPhoneCharacterPattern, CharacterName(text, static_cast<std::size_t>(bad - text.begin())));
  }
  if (text.size() > kPhoneMaxDigits) return FillIn(kPhoneLengthPattern, std::to_string(kPhoneMaxDigits));
  return {};
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
    request.refusal = OwnedMessage(PhoneSlotFailureText(slot));
    if (slot >= 1 && slot <= kPhoneSlotCount) request.refusal->detail = PhoneRefusalDetail(text);
    return request;
  }
  const Bytes packed = EncodePhoneDigits(*number);
  Bytes payload;
  payload.reserve(packed.size() + 3);
  payload.push_back(static_cast<std::uint8_t>(packed.size() + 1));
  payload.push_back(kPhoneWriteCommand);
  payload.push_back(static_cast<std::uint8_t>(slot));
  payload.insert(payload.end(), packed.begin(), packed.end());
  request.payload = std::move(payload);
  return request;
}

bool PhoneWriteAcknowledged(const Bytes& receivedFrame, const AckCheck& checkAck) {
  return receivedFrame.size() > kFrameCmdOffset && receivedFrame[kFrameCmdOffset] == kPhoneWriteCommand &&
         checkAck && checkAck(CommandKey(kPhoneWriteCommand), receivedFrame) == 1;
}

void PhoneSaveTracker::Begin() {
  std::lock_guard lock(mutex_);
  lastSlotOk_ = 1;
  anyFailed_ = false;
  ticked_ = 0;
  written_ = 0;
  writing_ = false;
}

void PhoneSaveTracker::Skip() {
  std::lock_guard lock(mutex_);
  lastSlotOk_ = 1;
}

PhoneRequest PhoneSaveTracker::StartWrite(int slot, std::string_view text) {
  PhoneRequest request = PhoneWritePayload(slot, text);
  std::lock_guard lock(mutex_);
  lastSlotOk_ = 0;
  savingSlot_ = slot;
  ++ticked_;
  writing_ = request.payload.has_value();
  writeFrame_ = writing_ ? BuildFrame(*request.payload) : Bytes{};
  replyHandled_ = false;
  if (request.refusal) anyFailed_ = true;
  return request;
}

void PhoneSaveTracker::OnReply(const Bytes& sentFrame, const Bytes& receivedFrame, const AckCheck& checkAck) {
  // Only the first frame after this write's frame went out is its reply. Outside a write nothing
  // waits for a verdict: a late acknowledgement of a slot that got no reply must not count for
  // it, nor for the slot written next.
  const auto isReply = [&] { return writing_ && !replyHandled_ && sentFrame == writeFrame_; };
  {
    std::lock_guard lock(mutex_);
    if (!isReply()) return;
  }
  // The acknowledgement table is read from disk: not under the lock.
  const bool acknowledged = PhoneWriteAcknowledged(receivedFrame, checkAck);
  {
    std::lock_guard lock(mutex_);
    if (!isReply()) return;
    // Any frame ends the wait; only an acknowledgement of the write makes the slot good.
    lastSlotOk_ = acknowledged ? 1 : 0;
    replyHandled_ = true;
  }
}

std::optional<Message> PhoneSaveTracker::FinishWrite(int sendResult) {
  std::lock_guard lock(mutex_);
  if (sendResult == 0) {
    writing_ = false;
    lastSlotOk_ = 0;
    anyFailed_ = true;
    return OwnedMessage(PhoneSlotFailureText(savingSlot_));
  }
  if (!replyHandled_) lastSlotOk_ = 0;
  writing_ = false;
  if (lastSlotOk_ == 0)
    anyFailed_ = true;
  else
    ++written_;
  return std::nullopt;
}

std::optional<Message> PhoneSaveTracker::Finish() const {
  std::lock_guard lock(mutex_);
  if (!anyFailed_) return std::nullopt;
  return OwnedMessage(std::string(kPhoneSaveFailureText));
}

int PhoneSaveTracker::SavingSlot() const {
  std::lock_guard lock(mutex_);
  return savingSlot_;
}

int PhoneSaveTracker::LastSlotOk() const {
  std::lock_guard lock(mutex_);
  return lastSlotOk_;
}

bool PhoneSaveTracker::AnyFailed() const {
  std::lock_guard lock(mutex_);
  return anyFailed_;
}

int PhoneSaveTracker::TickedCount() const {
  std::lock_guard lock(mutex_);
  return ticked_;
}

int PhoneSaveTracker::WrittenCount() const {
  std::lock_guard lock(mutex_);
  return written_;
}

}  // namespace veyra::alarm

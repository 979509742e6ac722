#include "features/sensors/SmartHomeCodec.h"

namespace veyra::sensors {

namespace {

constexpr int kChannelCount = static_cast<int>(SingleTriggerTexts.size());

bool AllDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

SmartHomeRequest SmartHomeIdPayload(std::string_view id) {
  SmartHomeRequest request;
  if (id.empty()) {
    request.refusal = OwnedMessage(kSmartHomeIdMissingText);
  } else if (id.size() != static_cast<std::size_t>(kSmartHomeIdDigits) || !AllDigits(id)) {
    // Letters would pack into nibbles the host reads as no digit at all.
    request.refusal = OwnedMessage(kSmartHomeIdFormatText);
  } else {
    Bytes payload{static_cast<std::uint8_t>(kSmartHomeIdDigits / 2), kSmartHomeIdCommand};
    HexTextToBytes(id, payload);
    request.payload = std::move(payload);
  }
  return request;
}

std::optional<Bytes> SingleTriggerPayload(int position) {
  if (position < 0 || position >= kChannelCount) return std::nullopt;
  return Bytes{0x01, kSingleTriggerCommand, static_cast<std::uint8_t>(position + 1)};
}

std::uint8_t DoubleTriggerCode(int position) {
  const int channel = position / 2 + 1;
  const bool on = position % 2 == 0;
  return static_cast<std::uint8_t>(channel * 16 + (on ? 1 : 0));
}

std::optional<Bytes> DoubleTriggerPayload(int position) {
  if (position < 0 || position >= static_cast<int>(DoubleTriggerTexts.size())) return std::nullopt;
  return Bytes{0x01, kDoubleTriggerCommand, DoubleTriggerCode(position)};
}

std::optional<Message> SmartHomeReplyMessage(const Bytes& sentFrame, const Bytes&) {
  if (sentFrame.size() <= kFrameCmdOffset) return std::nullopt;
  switch (sentFrame[kFrameCmdOffset]) {
    case kSmartHomeIdCommand:
    case kSingleTriggerCommand:
    case kDoubleTriggerCommand:
      return OwnedMessage(kSmartHomeAcceptedText);
    default:
      return std::nullopt;
  }
}

}  // namespace veyra::sensors

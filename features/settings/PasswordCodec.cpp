#include "features/settings/PasswordCodec.h"

#include <algorithm>
#include <string>

namespace veyra::settings {

namespace {

constexpr std::size_t kShortestVerdictFrame = 5;

Message Refusal(std::string_view text) {
  Message message;
  message.text = std::string(text);
  message.caption = std::string(kPasswordRefusalCaption);
  message.owned = false;
  return message;
}

// Four characters that are not all digits would be packed as nibbles of no digit: the host would
// be sent a password nobody can type.
bool FourDigits(std::string_view text) {
  return text.size() == kPasswordLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The field read as a number: its leading decimal digits, 0 when there are none.
bool ReadsAsZero(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (c != '0') return false;
  }
  return true;
}

}  // namespace

PasswordRequest PasswordChangePayload(std::string_view current, std::string_view newPassword,
                                      std::string_view confirmation) {
  PasswordRequest request;
  if (!FourDigits(current) || !FourDigits(newPassword)) {
    request.refusal = Refusal(kPasswordLengthText);
  } else if (newPassword != confirmation) {
    request.refusal = Refusal(kPasswordMismatchText);
  } else if (ReadsAsZero(current) || ReadsAsZero(newPassword)) {
    request.refusal = OwnedMessage(kPasswordLengthText);
    request.refusal->detail = std::string(kPasswordZeroDetailText);
  } else {
    Bytes payload{static_cast<std::uint8_t>(kPasswordLength), kPasswordCommand};
    HexTextToBytes(current, payload);
    HexTextToBytes(newPassword, payload);
    request.payload = std::move(payload);
  }
  return request;
}

Message PasswordReplyMessage(const Bytes& receivedFrame) {
  if (receivedFrame.size() < kShortestVerdictFrame) return OwnedMessage(kPasswordFailedText);
  switch (receivedFrame[kFrameDataOffset]) {
    case kPasswordVerdictChanged:
      return OwnedMessage(kPasswordChangedText);
    case kPasswordVerdictWrong:
      return OwnedMessage(kPasswordWrongText);
    default:
      return OwnedMessage(kPasswordFailedText);
  }
}

}  // namespace veyra::settings

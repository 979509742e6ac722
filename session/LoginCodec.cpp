#include "session/LoginCodec.h"

#include <cctype>

#include "link/Translatable.h"

namespace veyra::session {

Bytes LoginPayload(int password) {
  const auto packed = [](int high, int low) { return static_cast<std::uint8_t>((high * 16 + low) & 0xFF); };
  return {0x02, kLoginCommand, packed(password / 1000, (password % 1000) / 100),
          packed((password % 100) / 10, password % 10)};
}

std::optional<bool> LoginVerdict(const Bytes& receivedFrame) {
  if (receivedFrame.size() <= kFrameDataOffset) return std::nullopt;
  switch (receivedFrame[kFrameDataOffset]) {
    case 0x00:
      return false;
    case 0x01:
      return true;
    default:
      return std::nullopt;
  }
}

int ParsePassword(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 99999999) break;  // far past four digits; keeps the arithmetic in range
  }
  return static_cast<int>(value);
}

std::string NotFoundStatus(const std::string& portText) { return FillIn(kHostNotFoundOnPattern, portText); }
std::string FoundStatus(const std::string& portText) { return FillIn(kHostFoundOnPattern, portText); }
std::string PortText(int portNumber) { return "COM" + std::to_string(portNumber); }
std::string PortText(int portNumber, const std::string& device) {
  return portNumber >= 0 ? PortText(portNumber) : device;
}

Message WrongPasswordMessage() { return OwnedMessage(QT_TRANSLATE_NOOP("veyra", "Неверный пароль!!")); }
Message NoPortsMessage() {
  return {QT_TRANSLATE_NOOP("veyra", "Your computer can't find COM!"), QT_TRANSLATE_NOOP("veyra", "Remind"),
          false, Icon::None};
}
Message ChoosePortMessage() {
  return OwnedMessage(QT_TRANSLATE_NOOP("veyra", "Пожалуйста, выберите COM-порт!"));
}
Message PortListFailureMessage() {
  return {QT_TRANSLATE_NOOP("veyra", "Open registration form failure! "),
          QT_TRANSLATE_NOOP("veyra", "Failure!"), true, Icon::None};
}

}  // namespace veyra::session

// The login exchange and the texts of the host search, shared by the main window and veyractl.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::session {

inline constexpr std::uint8_t kLoginCommand = 0x01;
inline constexpr const char* kAutoPortText = QT_TRANSLATE_NOOP("veyra", "Авто");

// LEN 02, CMD 01, the password as packed decimal digits: 1234 gives 12 34.
Bytes LoginPayload(int password);

// The verdict in byte 3 of a login reply: true accepted, false wrong password, nullopt otherwise.
std::optional<bool> LoginVerdict(const Bytes& receivedFrame);

// The password window's field: trimmed, then its leading decimal digits (0 when none).
int ParsePassword(std::string_view text);

std::string NotFoundStatus(const std::string& portText);  // "COM3 3G-камера не найдена!"
std::string FoundStatus(const std::string& portText);     // "COM3 Successful to find main host!"
std::string PortText(int portNumber);                     // "COM3"
// What a person knows an open port by: "COMn" when it has a number, else the path or URL it was
// opened by ("tcp://10.0.0.7:3001"), never "COM-1".
std::string PortText(int portNumber, const std::string& device);

Message WrongPasswordMessage();
Message NoPortsMessage();
Message ChoosePortMessage();
Message PortListFailureMessage();

}  // namespace veyra::session

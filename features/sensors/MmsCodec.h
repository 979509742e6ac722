// MMS parameters: the access point name, the password and user, the URL, the WAP version with
// the gateway's IP and port, each carried as text, one byte a character; and the test MMS sent to
// a phone number packed two characters a byte.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::sensors {

inline constexpr std::uint8_t kMmsApnCommand = 0x26;
inline constexpr std::uint8_t kMmsUserCommand = 0x27;
inline constexpr std::uint8_t kMmsUrlCommand = 0x29;
inline constexpr std::uint8_t kMmsGatewayCommand = 0x30;
inline constexpr std::uint8_t kMmsTestCommand = 0x32;

// LEN is one byte and the channel writes no frame of 256 bytes or more: 250 data bytes at most.
inline constexpr std::size_t kMmsMaxDataLength = kMaxFrameLength - kFrameOverhead;

inline constexpr std::string_view kMmsHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "Do not search the host!!");
inline constexpr std::string_view kMmsNoReplyText = QT_TRANSLATE_NOOP("veyra", "Data sending error!");
inline constexpr std::string_view kMmsSentText = QT_TRANSLATE_NOOP("veyra", "Sending Successful");
inline constexpr std::string_view kMmsTooLongText = QT_TRANSLATE_NOOP("veyra", "Text is too long!");
inline constexpr std::string_view kMmsInvalidCharacterText = QT_TRANSLATE_NOOP("veyra", "Invalid character!");

enum class WapVersion { Wap20 = 0, Wap12 = 1 };
// Indexed by WapVersion: the list's entries.
inline constexpr std::array<std::string_view, 2> WapVersionTexts = {"WAP2.0", "WAP1.2"};

// The first character of the gateway text: '1' for WAP 2.0, '0' for WAP 1.2.
char WapFlag(WapVersion version);

// A field's text (UTF-8) less the white space around it, as the dialog's fields are read: what
// Qt counts as a space (ASCII 9 to 13 and 32, U+0085, U+00A0 and the Unicode separators).
std::string TrimmedField(std::string_view text);

// Either a payload to send or the message that explains why nothing is sent.
struct MmsRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// Each takes the fields' texts as typed (UTF-8) and trims them itself. A character beyond
// U+00FF, or a text that is no UTF-8, is refused with "Invalid character!"; the others go as their
// Latin-1 byte. A text that would make LEN exceed 250 is refused with "Text is too long!".

// n 26 and the APN; 00 26 when it is empty.
MmsRequest MmsApnPayload(std::string_view apn);
// n 27 and "password","user" (password first); 00 27 when both are empty.
MmsRequest MmsUserPayload(std::string_view user, std::string_view password);
// n 29 and the URL; 00 29 when it is empty.
MmsRequest MmsUrlPayload(std::string_view url);
// n 30 and the WAP flag, then ,"ip",port; empty parts stay empty.
MmsRequest MmsGatewayPayload(std::string_view ip, std::string_view port, WapVersion version);

// The phone text trimmed, then "F" appended to an odd length and "FF" to an even one (empty
// included), then "*", "G", "g" and "+" turned into "B"; the result packed two characters a byte,
// first high. Characters other than digits, "A" to "F", "*", "G", "g" and "+" are refused with
// "Invalid character!". The padded text before packing; none for a refused character.
std::optional<std::string> PaddedTestPhone(std::string_view phone);
// n 32 and the packed phone number.
MmsRequest MmsTestPayload(std::string_view phone);

// "Sending Successful" for any frame while the command sent last is a parameter (0x26, 0x27,
// 0x29, 0x30); none after the test MMS (its result is not shown), for any other command, and
// before anything was sent.
std::optional<Message> MmsReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame);

inline constexpr std::string_view kMmsTestAcceptedStatusText =
    QT_TRANSLATE_NOOP("veyra", "Хост принял команду отправить тестовое MMS");
inline constexpr std::string_view kMmsNotConfirmedStatusText =
    QT_TRANSLATE_NOOP("veyra", "Хост ответил, но не подтвердил команду");

// What the status line says of a reply to the test MMS, whose message box says nothing: accepted
// when it equals the acknowledgement frame (key "32"), else not confirmed. None while the command
// sent last is another.
std::optional<std::string_view> MmsReplyStatus(const Bytes& sentFrame, const Bytes& receivedFrame,
                                               const AckCheck& checkAck);

}  // namespace veyra::sensors

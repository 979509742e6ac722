// Password change: the page's checks of its three fields, the command carrying the current and
// the new password as packed digits, and the host's verdict.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::settings {

inline constexpr std::uint8_t kPasswordCommand = 0x05;
inline constexpr std::size_t kPasswordLength = 4;
inline constexpr std::uint8_t kPasswordVerdictChanged = 0x05;
inline constexpr std::uint8_t kPasswordVerdictWrong = 0xFF;

inline constexpr std::string_view kPasswordHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kPasswordLengthText =
    QT_TRANSLATE_NOOP("veyra", "Длина пароля должна составлять 4 символа!");
inline constexpr std::string_view kPasswordMismatchText =
    QT_TRANSLATE_NOOP("veyra", "Password input varies from!");
// Beside the length text when a field holds four zeros: the text alone speaks of a length that is
// right, and reads as if the digits typed were not counted.
inline constexpr std::string_view kPasswordZeroDetailText = QT_TRANSLATE_NOOP(
    "veyra", "Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.");
inline constexpr std::string_view kPasswordRefusalCaption = QT_TRANSLATE_NOOP("veyra", "Failure");
inline constexpr std::string_view kPasswordNoReplyText = QT_TRANSLATE_NOOP("veyra", "Сбой изменения пароля!");
inline constexpr std::string_view kPasswordChangedText =
    QT_TRANSLATE_NOOP("veyra", "Измененный пароль принят!");
inline constexpr std::string_view kPasswordWrongText = QT_TRANSLATE_NOOP("veyra", "Неверный пароль!");
inline constexpr std::string_view kPasswordFailedText =
    QT_TRANSLATE_NOOP("veyra", "Измененный пароль пароля!");

// Either a payload to send or the message that explains why nothing is sent.
struct PasswordRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// The checks in the page's order, the first that fails deciding the refusal:
//   current or new not exactly four characters, or not all of them digits (the confirmation is
//     not measured): the length text with the caption "Failure" and no owner window;
//   confirmation not the same text as the new password: "Password input varies from!", the
//     same caption, no owner;
//   current or new reads as the number 0: the length text again, this time owned by the page, with
//     kPasswordZeroDetailText as its detail.
// Otherwise 04 05, then each password packed two digits a byte, first digit high.
PasswordRequest PasswordChangePayload(std::string_view current, std::string_view newPassword,
                                      std::string_view confirmation);

// The message any frame that reaches the page earns: by its byte 3 (0x05 changed, 0xFF wrong
// current password, anything else failed); a frame shorter than five bytes failed. Neither the
// reply's command nor the acknowledgement table is consulted.
Message PasswordReplyMessage(const Bytes& receivedFrame);

}  // namespace veyra::settings

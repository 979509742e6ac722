// Smart-home codes: the six-digit system ID and the trigger codes of nine channels, single
// (the channel alone) or double (the channel switched on or off). The host's answer is never
// examined: any frame back means the settings were taken.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::sensors {

inline constexpr std::uint8_t kSmartHomeIdCommand = 0x20;
inline constexpr std::uint8_t kSingleTriggerCommand = 0x21;
inline constexpr std::uint8_t kDoubleTriggerCommand = 0x22;
inline constexpr int kSmartHomeIdDigits = 6;

inline constexpr std::string_view kSmartHomeHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kSmartHomeIdMissingText = QT_TRANSLATE_NOOP("veyra", "Укажите ID!!");
inline constexpr std::string_view kSmartHomeIdFormatText =
    QT_TRANSLATE_NOOP("veyra", "Ошибка формата ввода!!");
inline constexpr std::string_view kSmartHomeNoReplyText =
    QT_TRANSLATE_NOOP("veyra", "Ошибка передачи данных!");
inline constexpr std::string_view kSmartHomeAcceptedText = QT_TRANSLATE_NOOP("veyra", "Настройки приняты");

// The single-trigger list; position p sends channel p + 1.
inline constexpr std::array<std::string_view, 9> SingleTriggerTexts = {
    "1_CH(01)", "2_CH(02)", "3_CH(03)", "4_CH(04)", "5_CH(05)",
    "6_CH(06)", "7_CH(07)", "8_CH(08)", "9_CH(09)",
};

// The double-trigger list: each channel on, then off. The number in parentheses is the code, in
// hexadecimal: the channel in the high nibble, 1 for on or 0 for off in the low one.
inline constexpr std::array<std::string_view, 18> DoubleTriggerTexts = {
    "1_CH On(11)", "1_CH Off(10)", "2_CH On(21)", "2_CH Off(20)", "3_CH On(31)", "3_CH Off(30)",
    "4_CH On(41)", "4_CH Off(40)", "5_CH On(51)", "5_CH Off(50)", "6_CH On(61)", "6_CH Off(60)",
    "7_CH On(71)", "7_CH Off(70)", "8_CH On(81)", "8_CH Off(80)", "9_CH On(91)", "9_CH Off(90)",
};

// Either a payload to send or the message that explains why nothing is sent.
struct SmartHomeRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// The ID field's text as typed: empty is "Укажите ID!!"; anything but exactly six decimal digits
// is "Ошибка формата ввода!!" (the dialog's field holds digits only and at most six of them, so
// there only a short ID meets that). Otherwise 03 20 and the digits packed two a byte, first high.
SmartHomeRequest SmartHomeIdPayload(std::string_view id);

// 01 21 and the channel of a list position; none for a position outside the list.
std::optional<Bytes> SingleTriggerPayload(int position);

// 01 22 and the code of a list position; none for a position outside the list.
std::optional<Bytes> DoubleTriggerPayload(int position);
std::uint8_t DoubleTriggerCode(int position);  // position inside the list

// "Настройки приняты" for any frame while the command sent last is one of the three; none for
// any other command and before anything was sent.
std::optional<Message> SmartHomeReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame);

}  // namespace veyra::sensors

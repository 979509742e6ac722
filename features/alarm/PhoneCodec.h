// Alarm telephone numbers: twelve slots carried as packed nibbles, read in one frame per slot
// and written one slot per command.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"
#include "link/Translatable.h"

namespace veyra::alarm {

inline constexpr std::uint8_t kPhoneReadCommand = 0x0C;
inline constexpr std::uint8_t kPhoneWriteCommand = 0x0D;
inline constexpr int kPhoneSlotCount = 12;
inline constexpr std::size_t kPhoneMaxPackedBytes = 32;
// 63 characters and one pad nibble fill the 32 packed bytes a number frame can hold.
inline constexpr std::size_t kPhoneMaxDigits = 63;
// The longest number a read can give: 32 packed bytes without an end nibble. One character more
// than a write can carry, which must end with one.
inline constexpr std::size_t kPhoneMaxReadDigits = 2 * kPhoneMaxPackedBytes;
// A first packed byte of 0x3B reads as this prefix ("3" and the nibble that "G" is written as).
inline constexpr std::uint8_t kPhone3GByte = 0x3B;

// Indexed by slot - 1: six voice, three SMS, three MMS numbers.
inline constexpr std::array<std::string_view, kPhoneSlotCount> PhoneSlotLabels = {
    QT_TRANSLATE_NOOP("veyra", "Тел. номер 1"), QT_TRANSLATE_NOOP("veyra", "Тел. номер 2"),
    QT_TRANSLATE_NOOP("veyra", "Тел. номер 3"), QT_TRANSLATE_NOOP("veyra", "Тел. номер 4"),
    QT_TRANSLATE_NOOP("veyra", "Тел. номер 5"), QT_TRANSLATE_NOOP("veyra", "Тел. номер 6"),
    QT_TRANSLATE_NOOP("veyra", "SMS. номер 1"), QT_TRANSLATE_NOOP("veyra", "SMS. номер 2"),
    QT_TRANSLATE_NOOP("veyra", "SMS. номер 3"), QT_TRANSLATE_NOOP("veyra", "MMS.номер 1"),
    QT_TRANSLATE_NOOP("veyra", "MMS.номер 2"),  QT_TRANSLATE_NOOP("veyra", "MMS.номер 3")};

inline constexpr std::string_view kPhoneHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kPhoneReadNoReplyText =
    QT_TRANSLATE_NOOP("veyra", "Сбой при получении телефонных номеров!");
inline constexpr std::string_view kPhoneSaveFailureText =
    QT_TRANSLATE_NOOP("veyra", "Сбой при сохранении телефонных номеров!");

// "Сбой при сохранения телефонных номеров %d!" for one slot: its write got no reply, or its
// number cannot be sent.
std::string PhoneSlotFailureText(int slot);

struct PhoneNumber {
  int slot = 0;  // 1 to 12
  std::string text;

  bool operator==(const PhoneNumber&) const = default;
};

// Either a payload to send or the message that explains why nothing is sent.
struct PhoneRequest {
  std::optional<Bytes> payload;
  std::optional<Message> refusal;
};

// 00 0C.
Bytes PhoneReadPayload();

// Packed nibbles to text: a first byte 0x3B gives "3G"; then high nibble, low nibble of each
// byte, 0 to 9 as digits, 0xA as ":", 0xB as "*"; a nibble of 0xC or more ends the number.
// At most kPhoneMaxPackedBytes bytes are read.
std::string DecodePhoneDigits(const std::uint8_t* packed, std::size_t count);
std::string DecodePhoneDigits(const Bytes& packed);

// A number frame (received command 0x0C, whatever was sent): its slot and number. None for
// another command, a slot outside 1 to 12, or a frame without a slot byte. Packed bytes are
// read up to LEN - 1, the frame's real end and 32, whichever comes first.
std::optional<PhoneNumber> DecodePhoneFrame(const Bytes& frame);

// The number as it is sent: white space around it removed. Refuses (none) a text with any
// character other than digits, "*", ":", "G" and "g", or longer than maxDigits.
std::optional<std::string> NormalizePhoneText(std::string_view text, std::size_t maxDigits = kPhoneMaxDigits);

// Why NormalizePhoneText refuses a text, to show beside the slot's failure text: the first
// character the host cannot store, named, and what it can store (with the way to write "+7..."
// for a "+"), or the longest number. Empty for a text it takes.
std::string PhoneRefusalDetail(std::string_view text);

// The whole text for a "+", which a number written the international way starts with.
inline constexpr std::string_view kPhonePlusDetailText =
    QT_TRANSLATE_NOOP("veyra",
                      "Знак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» "
                      "запишите как «8…» или «007…».");
// How a blank inside a number is named.
inline constexpr std::string_view kPhoneBlankName = QT_TRANSLATE_NOOP("veyra", "пробел");

// Text to packed bytes, padded with nibble 0xF (odd length) or byte 0xFF (even length, empty
// included); "*", "G" and "g" become nibble 0xB wherever they stand. The text must have passed
// NormalizePhoneText.
Bytes EncodePhoneDigits(std::string_view number);

// LEN 0D slot packed-bytes for the field text of one ticked slot. Refused with the slot's
// failure text when the slot is outside 1 to 12 or the number cannot be sent (then with
// PhoneRefusalDetail as its detail).
PhoneRequest PhoneWritePayload(int slot, std::string_view text);

// Whether a received frame is the acknowledgement of a number write (command 0x0D, key "0D").
bool PhoneWriteAcknowledged(const Bytes& receivedFrame, const AckCheck& checkAck);

// Judges a save slot by slot and decides its closing message. Drive it from the save loop:
//   Begin();
//   per slot: Skip() when unticked, else StartWrite(slot, text): show `refusal` and go on, or
//             send `payload`, then Show(FinishWrite(sendResult)) if it gives a message;
//   Show(Finish()) if it gives a message.
// OnReply is called from the link's reply handler for every frame the link receives, with the
// frame the link had sent last. A send that saw a reply returns only once that reply has gone
// through OnReply, so FinishWrite reads the verdict of the first frame received while this
// write's frame was the last one sent: each slot is judged by the reply that ended its own wait,
// never by the previous slot's late reply.
class PhoneSaveTracker {
 public:
  void Begin();
  void Skip();
  PhoneRequest StartWrite(int slot, std::string_view text);
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame, const AckCheck& checkAck);
  // sendResult is what SendAndWait returned: 0 for no reply. A write whose reply never went
  // through OnReply counts as failed.
  std::optional<Message> FinishWrite(int sendResult);
  // "Сбой при сохранении телефонных номеров!" when any ticked slot of this save failed.
  std::optional<Message> Finish() const;

  int SavingSlot() const;  // 0 until the first write
  int LastSlotOk() const;  // 1: the last slot handled needs no report
  bool AnyFailed() const;
  // Of this save: the ticked slots, and those of them the host acknowledged.
  int TickedCount() const;
  int WrittenCount() const;

 private:
  mutable std::mutex mutex_;  // OnReply may run on the reader thread
  int savingSlot_ = 0;
  int lastSlotOk_ = 1;
  bool anyFailed_ = false;
  int ticked_ = 0;
  int written_ = 0;
  bool writing_ = false;       // a write was started and FinishWrite has not run yet
  Bytes writeFrame_;           // that write's frame on the line
  bool replyHandled_ = false;  // its reply has gone through OnReply
};

}  // namespace veyra::alarm

// What every reply decoder promises about any frame the recogniser hands over, whatever bytes
// the host sent: no fault, no read outside the frame, and a decoded value exactly when the
// frame's data (bounded by LEN and by its real length) is long enough, made of those data bytes
// only. Shared by the decoder fuzzers and the unit tests that replay their seeds.
#pragma once

#include <algorithm>
#include <functional>
#include <string>

#include "features/alarm/HistoryCodec.h"
#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "features/sensors/SensorListCodec.h"
#include "features/settings/PasswordCodec.h"
#include "features/settings/SetupCodec.h"
#include "link/FrameRecognizer.h"

namespace veyra::fuzz {

using ReplyCheck = std::function<std::string(const Bytes& frame)>;

// The frame with every byte after its data flipped: a decoder that gives another answer for it
// has read the checksum or the end byte as data.
inline Bytes FlipPastData(const Bytes& frame) {
  Bytes flipped = frame;
  for (std::size_t k = kFrameDataOffset + FrameDataLength(frame); k < flipped.size(); ++k) flipped[k] ^= 0xFF;
  return flipped;
}

// Appends the stream one byte at a time, as the reader thread does, with an owner, and checks
// every delivered frame. Each check gets a copy whose allocation ends at the frame's last byte,
// so a read past it lands in AddressSanitizer's red zone.
inline std::string ReplyStreamViolation(const std::uint8_t* data, std::size_t size, const ReplyCheck& check) {
  RxBuffer rx;
  for (std::size_t i = 0; i < size; ++i) {
    const RxBuffer::Result r = rx.Append(data[i], true);
    if (!r.delivered) continue;
    const Bytes& f = r.frame;
    if (f.size() < kFrameOverhead || f.front() != kFrameStart || f.back() != kFrameEnd ||
        f.size() != f[kFrameLenOffset] + kFrameOverhead)
      return "the recogniser delivered a frame out of shape at byte " + std::to_string(i);
    const Bytes exact(f.begin(), f.end());
    const std::string violation = check(exact);
    if (!violation.empty()) return violation + " (frame " + FormatHex(f) + ")";
  }
  return {};
}

inline std::string HistoryViolation(const Bytes& frame) {
  const auto record = alarm::DecodeHistoryRecord(frame);
  const std::size_t length = FrameDataLength(frame);
  if (record.has_value() != (length >= alarm::kHistoryRecordLength)) return "history: record vs data length";
  if (alarm::HistoryReadRecord(BuildFrame(alarm::HistoryReadPayload()), frame) != record)
    return "history: the read's view differs";
  if (alarm::DecodeHistoryRecord(FlipPastData(frame)) != record) return "history: read past its data";
  if (!record) return {};
  const std::uint8_t* r = frame.data() + kFrameDataOffset + 1;
  const alarm::HistoryRecord expected{
      r[0] >> 4, r[0] & 0x0F, r[1], r[2] >> 4, ((r[2] & 0x0F) << 3) | (r[3] >> 5), r[3] & 0x1F, r[4]};
  if (*record != expected) return "history: fields not the record's bytes";
  for (const std::string& cell : alarm::HistoryRecordCells(*record, 1))
    if (cell.size() > 64) return "history: a cell runs on";
  return {};
}

inline std::string TimedViolation(const Bytes& frame) {
  const auto schedule = alarm::DecodeTimedRecord(frame);
  const std::size_t length = FrameDataLength(frame);
  if (schedule.has_value() != (length >= alarm::kTimedRecordLength)) return "timers: record vs data length";
  if (alarm::TimedLookupRecord(BuildFrame(alarm::TimedLookupPayload()), frame) != schedule)
    return "timers: the look-up's view differs";
  if (alarm::DecodeTimedRecord(FlipPastData(frame)) != schedule) return "timers: read past its data";
  if (!schedule) return {};
  const std::uint8_t* r = frame.data() + kFrameDataOffset;
  const alarm::TimedSchedule expected{r[0], {r[1], r[2], r[3]}, {r[4], r[5], r[6]}};
  if (*schedule != expected) return "timers: fields not the record's bytes";
  for (const std::string& cell : alarm::TimedRecordCells(*schedule, 1))
    if (cell.size() > 64) return "timers: a cell runs on";
  return {};
}

inline std::string PhoneViolation(const Bytes& frame) {
  const auto number = alarm::DecodePhoneFrame(frame);
  const std::size_t length = FrameDataLength(frame);
  const bool decodable = frame[kFrameCmdOffset] == alarm::kPhoneReadCommand && length >= 1 &&
                         frame[kFrameDataOffset] >= 1 && frame[kFrameDataOffset] <= alarm::kPhoneSlotCount;
  if (number.has_value() != decodable) return "phones: number vs command, slot and data length";
  if (alarm::DecodePhoneFrame(FlipPastData(frame)) != number) return "phones: read past its data";
  if (!number) return {};
  const std::size_t packed = std::min(length - 1, alarm::kPhoneMaxPackedBytes);
  if (number->text != alarm::DecodePhoneDigits(frame.data() + kFrameDataOffset + 1, packed))
    return "phones: digits not the frame's packed bytes";
  if (number->text.size() > 2 * packed) return "phones: more digits than nibbles";
  if (number->text.find_first_not_of("0123456789:*G") != std::string::npos)
    return "phones: a digit out of set";
  return {};
}

inline std::string SetupViolation(const Bytes& frame) {
  const auto reply = settings::DecodeSetupReply(frame);
  const std::size_t length = FrameDataLength(frame);
  if (reply.has_value() != (length >= settings::kSetupReplyLength)) return "setup: record vs data length";
  if (settings::SetupReadReply(BuildFrame(settings::SetupReadPayload()), frame) != reply)
    return "setup: the read's view differs";
  if (settings::DecodeSetupReply(FlipPastData(frame)) != reply) return "setup: read past its data";
  if (!reply) return {};
  const std::uint8_t* d = frame.data() + kFrameDataOffset;
  const settings::SetupReply expected{{d[0], d[1], d[2], d[3], d[4], d[5]}, d[6]};
  if (*reply != expected) return "setup: fields not the record's bytes";
  if (settings::SignalText(reply->signal).empty()) return "setup: no signal text";
  // A read followed by a save with nothing touched must write back the record as it came.
  const settings::SetupRecord saved =
      settings::SetupRecordFromControls(settings::SetupControlsFromRecord(reply->record));
  if (saved.sirenMinutes != reply->record.sirenMinutes || saved.mmsSize != reply->record.mmsSize)
    return "setup: an untouched save changes the record";
  return {};
}

inline std::string PasswordViolation(const Bytes& frame) {
  // The verdict is byte 3 of any frame that reaches the page, whatever LEN says; every delivered
  // frame has one.
  const Message message = settings::PasswordReplyMessage(frame);
  const std::uint8_t verdict = frame[kFrameDataOffset];
  const std::string_view expected =
      verdict == settings::kPasswordVerdictChanged ? settings::kPasswordChangedText
      : verdict == settings::kPasswordVerdictWrong ? settings::kPasswordWrongText
                                                   : settings::kPasswordFailedText;
  if (message.text != expected) return "password: verdict not byte 3";
  return {};
}

inline std::string DeviceViolation(const Bytes& frame) {
  const auto device = sensors::DecodeDeviceFrame(frame);
  const std::size_t length = FrameDataLength(frame);
  std::size_t needed = 0;
  switch (frame[kFrameCmdOffset]) {
    case sensors::kSensorFrameCommand:
      needed = 7;
      break;
    case sensors::kRemoteFrameCommand:
    case sensors::kDoorbellFrameCommand:
      needed = 4;
      break;
    case sensors::kKeypadFrameCommand:
      needed = 2;
      break;
    default:
      needed = 0;
  }
  if (device.has_value() != (needed > 0 && length >= needed)) return "devices: record vs command and length";
  if (sensors::DecodeDeviceFrame(FlipPastData(frame)) != device) return "devices: read past its data";
  for (int filter = -1; filter <= 11; ++filter) {
    const auto row = sensors::SensorListRow(frame, filter);
    if (row && !device) return "devices: a row without a device";
    if (row) (void)sensors::SensorTabLine(*row);
  }
  if (!device) return {};
  if (device->idLength > device->id.size()) return "devices: ID longer than its array";
  const std::uint8_t* d = frame.data() + kFrameDataOffset;
  const std::size_t idFrom = device->kind == sensors::DeviceKind::Keypad ? 0 : 1;
  for (std::size_t k = 0; k < device->idLength; ++k)
    if (device->id[k] != d[idFrom + k]) return "devices: ID not the frame's bytes";
  (void)sensors::DeviceCells(*device);
  return {};
}

}  // namespace veyra::fuzz

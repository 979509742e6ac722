#include "features/settings/SetupCodec.h"

#include <cstdio>
#include <utility>

namespace veyra::settings {

namespace {

constexpr std::uint8_t kNoMmsSelection = 0xFF;

std::string Decimal(std::uint8_t value) { return std::to_string(value); }

}  // namespace

Bytes SetupReadPayload() { return {0x00, kSetupReadCommand}; }

Bytes SetupWritePayload(const SetupRecord& record) {
  return {static_cast<std::uint8_t>(kSetupRecordLength),
          kSetupWriteCommand,
          record.flags,
          record.sirenMinutes,
          record.redialCount,
          record.armDelay,
          record.alarmDelay,
          record.mmsSize};
}

Bytes ResetPayload() { return {0x00, kResetCommand}; }

Bytes FormatPayload() { return {0x00, kFormatCommand}; }

std::optional<SetupReply> DecodeSetupReply(const Bytes& frame) {
  if (FrameDataLength(frame) < kSetupReplyLength) return std::nullopt;
  const std::uint8_t* d = frame.data() + kFrameDataOffset;
  SetupReply reply;
  reply.record = SetupRecord{d[0], d[1], d[2], d[3], d[4], d[5]};
  reply.signal = d[6];
  return reply;
}

std::optional<SetupReply> SetupReadReply(const Bytes& sentFrame, const Bytes& receivedFrame) {
  if (sentFrame.size() <= kFrameCmdOffset || sentFrame[kFrameCmdOffset] != kSetupReadCommand)
    return std::nullopt;
  return DecodeSetupReply(receivedFrame);
}

std::string SignalText(std::uint8_t signal) {
  char text[32];
  if (signal & 0x80)
    std::snprintf(text, sizeof text, "%x (3G WCDMA)", signal & 0x7F);
  else
    std::snprintf(text, sizeof text, "%x (2G GSM)", signal);
  return text;
}

SignalReading ReadSignal(std::uint8_t signal) {
  const int level = (signal & 0x80) ? (signal & 0x7F) : signal;
  // The bands a phone's bars follow: below 10 calls and MMS fail now and then, from 20 on never.
  if (level <= 9) return {kSignalWeakText, level, true};
  if (level <= 14) return {kSignalFairText, level, true};
  if (level <= 19) return {kSignalGoodText, level, true};
  if (level <= kSignalScaleTop) return {kSignalExcellentText, level, true};
  if (level == kSignalNotMeasured) return {kSignalNotMeasuredText, level, false};
  return {kSignalOffScaleText, level, false};
}

NetworkMode NetworkModeOf(std::uint8_t flags) {
  return (flags & kNetworkAutomatic) ? NetworkMode::Automatic : NetworkMode::Only3G;
}

std::optional<int> MmsSizeSelection(std::uint8_t mmsSize) {
  if (mmsSize >= MmsSizeTexts.size()) return std::nullopt;
  return mmsSize;
}

std::string_view MmsSizeText(std::uint8_t mmsSize) {
  const std::optional<int> selection = MmsSizeSelection(mmsSize);
  return selection ? MmsSizeTexts[*selection] : std::string_view();
}

std::uint8_t SetupFieldByte(std::string_view text) {
  // Reduced digit by digit: the same low eight bits as the whole number, without overflowing.
  unsigned value = 0;
  for (std::size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + static_cast<unsigned>(text[i] - '0')) % 256;
  return static_cast<std::uint8_t>(value);
}

SetupControls SetupControlsFromRecord(const SetupRecord& record) {
  SetupControls controls;
  for (const SetupOption& option : SetupOptions)
    if (record.flags & option.mask) controls.checked |= option.mask;
  controls.network = NetworkModeOf(record.flags);
  controls.siren = Decimal(record.sirenMinutes);
  controls.redial = Decimal(record.redialCount);
  controls.armDelay = Decimal(record.armDelay);
  controls.alarmDelay = Decimal(record.alarmDelay);
  controls.mmsSize = MmsSizeSelection(record.mmsSize);
  if (!controls.mmsSize) controls.unlistedMmsSize = record.mmsSize;
  return controls;
}

SetupRecord SetupRecordFromControls(const SetupControls& controls) {
  SetupRecord record;
  record.flags = controls.checked & static_cast<std::uint8_t>(~kNetworkAutomatic);
  if (controls.network != NetworkMode::Only3G) record.flags |= kNetworkAutomatic;
  record.sirenMinutes = SetupFieldByte(controls.siren);
  record.redialCount = SetupFieldByte(controls.redial);
  record.armDelay = SetupFieldByte(controls.armDelay);
  record.alarmDelay = SetupFieldByte(controls.alarmDelay);
  if (controls.mmsSize)
    record.mmsSize = static_cast<std::uint8_t>(*controls.mmsSize);
  else
    record.mmsSize = controls.unlistedMmsSize.value_or(kNoMmsSelection);
  return record;
}

const SetupNumberField* FindSetupNumberField(std::string_view name) {
  for (const SetupNumberField& field : SetupNumberFields)
    if (name == field.name || name == field.shortName) return &field;
  return nullptr;
}

const SetupOption* FindSetupOption(std::string_view name) {
  for (const SetupOption& option : SetupOptions)
    if (name == option.name) return &option;
  return nullptr;
}

std::optional<ReplyOutcome> SetupReplyOutcome(const Bytes& sentFrame, const Bytes& receivedFrame,
                                              const AckCheck& checkAck) {
  if (sentFrame.size() <= kFrameCmdOffset) return std::nullopt;
  const std::uint8_t command = sentFrame[kFrameCmdOffset];
  std::string_view done, failed;
  switch (command) {
    case kSetupWriteCommand:
      done = kSetupWriteAcceptedText;
      failed = kSetupWriteRefusedText;
      break;
    case kResetCommand:
      done = kResetDoneText;
      failed = kResetFailedText;
      break;
    case kFormatCommand:
      done = kFormatDoneText;
      failed = kFormatFailedText;
      break;
    default:
      return std::nullopt;
  }
  const bool acknowledged = checkAck && checkAck(CommandKey(command), receivedFrame) == 1;
  return ReplyOutcome{acknowledged, OwnedMessage(acknowledged ? done : failed)};
}

std::optional<Message> SetupReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                         const AckCheck& checkAck) {
  std::optional<ReplyOutcome> outcome = SetupReplyOutcome(sentFrame, receivedFrame, checkAck);
  if (!outcome) return std::nullopt;
  return std::move(outcome->message);
}

}  // namespace veyra::settings

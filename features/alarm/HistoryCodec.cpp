#include "features/alarm/HistoryCodec.h"

#include <cstdio>

namespace veyra::alarm {

namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

bool SentCommandIs(const Bytes& sentFrame, std::uint8_t command) {
  return sentFrame.size() > kFrameCmdOffset && sentFrame[kFrameCmdOffset] == command;
}

}  // namespace

Bytes HistoryReadPayload() { return {0x00, kHistoryReadCommand}; }

Bytes HistoryErasePayload() { return {0x00, kHistoryEraseCommand}; }

std::optional<HistoryRecord> DecodeHistoryRecord(const Bytes& frame) {
  if (FrameDataLength(frame) < kHistoryRecordLength) return std::nullopt;
  // Data byte 0 (frame byte 3) carries nothing the table shows.
  const std::uint8_t* r = frame.data() + kFrameDataOffset + 1;
  HistoryRecord record;
  record.source = r[0] >> 4;
  record.event = r[0] & 0x0F;
  record.zone = r[1];
  record.month = r[2] >> 4;
  record.day = ((r[2] & 0x0F) << 3) | (r[3] >> 5);
  record.hour = r[3] & 0x1F;
  record.minute = r[4];
  return record;
}

std::optional<HistoryRecord> HistoryReadRecord(const Bytes& sentFrame, const Bytes& receivedFrame) {
  if (!SentCommandIs(sentFrame, kHistoryReadCommand)) return std::nullopt;
  return DecodeHistoryRecord(receivedFrame);
}

std::string HistorySourceText(int source) {
  if (source >= 0 && source < static_cast<int>(HistorySourceNames.size()))
    return std::string(HistorySourceNames[source]);
  return std::to_string(source);
}

std::string HistoryEventText(int event) {
  if (event >= 0 && event < static_cast<int>(HistoryEventNames.size()))
    return std::string(HistoryEventNames[event]);
  return {};
}

std::array<std::string, 5> HistoryRecordCells(const HistoryRecord& record, int rowNumber) {
  return {std::to_string(rowNumber), HistorySourceText(record.source), HistoryEventText(record.event),
          TwoDigits(record.zone),
          TwoDigits(record.month) + "/" + TwoDigits(record.day) + " " + TwoDigits(record.hour) + ":" +
              TwoDigits(record.minute)};
}

std::optional<Message> HistoryEraseReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                const AckCheck& checkAck) {
  if (!SentCommandIs(sentFrame, kHistoryEraseCommand)) return std::nullopt;
  const bool acknowledged = checkAck && checkAck(CommandKey(kHistoryEraseCommand), receivedFrame) == 1;
  return OwnedMessage(std::string(acknowledged ? kHistoryEraseDoneText : kHistoryEraseFailureText));
}

}  // namespace veyra::alarm

#include "features/sensors/SensorEditCodec.h"

#include <algorithm>
#include <cctype>

#include "link/DecimalText.h"
#include "link/Translatable.h"

namespace veyra::sensors {

namespace {

constexpr int kHighestZone = 99;
constexpr int kHighestDeviceNumber = 99;

SensorRequest Refused(std::string_view text) {
  SensorRequest request;
  request.refusal = OwnedMessage(text);
  return request;
}

SensorRequest Payload(Bytes payload) {
  SensorRequest request;
  request.payload = std::move(payload);
  return request;
}

// A digit field that holds something other than digits: blanks alone count as nothing entered,
// any other character as a wrong format. The fields take digits only, so such text got past their
// validator, and atoi would read it as 0, a zone or device nobody chose.
std::optional<SensorRequest> NotDigits(std::string_view field, std::string_view missingText) {
  const std::string_view line = field.substr(0, field.find_first_of("\r\n"));
  if (line.find_first_not_of(" \t\v\f") == std::string_view::npos) return Refused(missingText);
  if (line.find_first_not_of("0123456789") != std::string_view::npos) return Refused(kInputFormatText);
  return std::nullopt;
}

bool Within(int value, std::size_t count) { return value >= 0 && value < static_cast<int>(count); }

std::uint8_t CommandOf(const Bytes& frame) {
  return frame.size() > kFrameCmdOffset ? frame[kFrameCmdOffset] : 0;
}

}  // namespace

std::optional<int> FieldNumber(std::string_view text) {
  text = text.substr(0, text.find_first_of("\r\n"));
  if (text.empty()) return std::nullopt;
  return AtoiField(text);
}

std::uint8_t ZoneByte(int zone) { return static_cast<std::uint8_t>(zone / 10 * 16 + zone % 10); }

SensorRequest LearnRequest(int typePosition, int modePosition, std::string_view zoneField) {
  if (auto refusal = NotDigits(zoneField, kZoneMissingText)) return *refusal;
  const std::optional<int> zone = FieldNumber(zoneField);
  if (!zone) return Refused(kZoneMissingText);
  if (!Within(typePosition, LearnTypeTexts.size()) || !Within(modePosition, LearnModeTexts.size()) ||
      *zone < 0 || *zone > kHighestZone)
    return Refused(kInputFormatText);
  const auto typeMode = static_cast<std::uint8_t>((typePosition + 1) << 4 | (modePosition + 1));
  return Payload({0x02, kLearnCommand, typeMode, ZoneByte(*zone)});
}

SensorRequest DeleteOneRequest(int kindPosition, std::string_view numberField) {
  if (auto refusal = NotDigits(numberField, kNumberMissingText)) return *refusal;
  const std::optional<int> number = FieldNumber(numberField);
  if (!number) return Refused(kNumberMissingText);
  if (!Within(kindPosition, DeleteKindTexts.size()) || *number < 0 || *number > kHighestDeviceNumber)
    return Refused(kInputFormatText);
  const int index = *number > 0 ? *number - 1 : 0;
  return Payload(
      {0x02, kDeleteOneCommand, static_cast<std::uint8_t>(kindPosition), static_cast<std::uint8_t>(index)});
}

std::uint8_t DeleteAllCommand(DeleteAllKind kind) {
  switch (kind) {
    case DeleteAllKind::Sensors:
      return kDeleteAllSensorsCommand;
    case DeleteAllKind::Remotes:
      return kDeleteAllRemotesCommand;
    case DeleteAllKind::Doorbells:
      break;
  }
  return kDeleteAllDoorbellsCommand;
}

Bytes DeleteAllPayload(DeleteAllKind kind) { return {0x00, DeleteAllCommand(kind)}; }

std::string_view DeleteAllQuestion(DeleteAllKind kind) {
  switch (kind) {
    case DeleteAllKind::Sensors:
      return QT_TRANSLATE_NOOP("veyra", "Удалить все датчики из памяти 3G камеры?");
    case DeleteAllKind::Remotes:
      return QT_TRANSLATE_NOOP("veyra", "Удалить все пульты из памяти 3G камеры?");
    case DeleteAllKind::Doorbells:
      break;
  }
  return QT_TRANSLATE_NOOP("veyra", "Удалить все звонки из памяти 3G камеры?");
}

SensorRequest SirenIdRequest(std::string_view idField) {
  idField = idField.substr(0, idField.find_first_of("\r\n"));
  if (idField.empty()) return Refused(kSirenIdMissingText);
  if (idField.size() != static_cast<std::size_t>(kSirenIdDigits)) return Refused(kInputFormatText);
  // A siren takes the digits 0 to 2 only; anything else would pack into a nibble it cannot hold.
  if (idField.find_first_not_of("012") != std::string_view::npos) return Refused(kInputFormatText);
  Bytes payload{0x04, kSirenIdCommand};
  for (std::size_t i = 0; i < idField.size(); i += 2)
    payload.push_back(static_cast<std::uint8_t>((idField[i] - '0') << 4 | (idField[i + 1] - '0')));
  return Payload(std::move(payload));
}

std::string_view EditNoReplyText(const Bytes& payload) {
  const bool deletesAllSensors = payload.size() > 1 && payload[1] == kDeleteAllSensorsCommand;
  return deletesAllSensors ? kDeleteAllSensorsNoReplyText : kEditNoReplyText;
}

std::optional<Message> EditReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                        const AckCheck& checkAck) {
  if (CommandOf(sentFrame) != kLearnCommand || !checkAck) return std::nullopt;
  if (checkAck(CommandKey(kLearnCommand), receivedFrame) != 1) return std::nullopt;
  return OwnedMessage(kLearnTriggerText);
}

std::optional<std::string_view> EditReplyStatus(const Bytes& sentFrame, const Bytes& receivedFrame,
                                                const AckCheck& checkAck) {
  const std::uint8_t command = CommandOf(sentFrame);
  const auto acknowledged = [&] { return checkAck && checkAck(CommandKey(command), receivedFrame) == 1; };
  switch (command) {
    case kLearnCommand:
      if (acknowledged()) return std::nullopt;
      return kNotConfirmedStatusText;
    case kDeleteOneCommand:
    case kDeleteAllSensorsCommand:
    case kDeleteAllRemotesCommand:
    case kDeleteAllDoorbellsCommand:
      return acknowledged() ? kDeletedStatusText : kNotConfirmedStatusText;
    case kSirenIdCommand:
      return acknowledged() ? kSirenIdSetStatusText : kNotConfirmedStatusText;
    default:
      return std::nullopt;
  }
}

}  // namespace veyra::sensors

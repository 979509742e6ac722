#include "features/alarm/OperateCodec.h"

#include <string>

#include "link/Translatable.h"

namespace veyra::alarm {

std::uint8_t OperateCommand(Operation operation) {
  switch (operation) {
    case Operation::Arm:
      return kArmCommand;
    case Operation::Disarm:
      return kDisarmCommand;
    case Operation::Partial:
      return kPartialCommand;
  }
  return kArmCommand;
}

std::optional<Operation> OperationFromCommand(std::uint8_t command) {
  switch (command) {
    case kArmCommand:
      return Operation::Arm;
    case kDisarmCommand:
      return Operation::Disarm;
    case kPartialCommand:
      return Operation::Partial;
    default:
      return std::nullopt;
  }
}

Bytes OperatePayload(Operation operation) { return {0x00, OperateCommand(operation)}; }

std::string_view OperateHostNotFoundText(Operation operation) {
  return operation == Operation::Arm ? QT_TRANSLATE_NOOP("veyra", "3G камера не найдена")
                                     : QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
}

std::string_view OperateNoReplyText(Operation operation) {
  switch (operation) {
    case Operation::Arm:
      return QT_TRANSLATE_NOOP("veyra", "Ошибка активации!");
    case Operation::Disarm:
      return QT_TRANSLATE_NOOP("veyra", "Ошибка деактивации!");
    case Operation::Partial:
      return QT_TRANSLATE_NOOP("veyra", "Выборочный режим Failure!");
  }
  return "";
}

std::string_view OperateSuccessText(Operation operation) {
  switch (operation) {
    case Operation::Arm:
      return QT_TRANSLATE_NOOP("veyra", "Активировать систему!");
    case Operation::Disarm:
      return QT_TRANSLATE_NOOP("veyra", "Дезактивировать систему!");
    case Operation::Partial:
      return QT_TRANSLATE_NOOP("veyra", "Выборочный режим OK!");
  }
  return "";
}

std::string_view OperateFailureText(Operation operation) {
  // The same words as a missing reply: for the user both mean the host did not do it.
  return OperateNoReplyText(operation);
}

std::optional<Message> OperateReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                           const AckCheck& checkAck) {
  if (sentFrame.size() <= kFrameCmdOffset) return std::nullopt;
  const std::uint8_t command = sentFrame[kFrameCmdOffset];
  const std::optional<Operation> operation = OperationFromCommand(command);
  if (!operation) return std::nullopt;
  const bool acknowledged = checkAck && checkAck(CommandKey(command), receivedFrame) == 1;
  const std::string_view text =
      acknowledged ? OperateSuccessText(*operation) : OperateFailureText(*operation);
  return OwnedMessage(std::string(text));
}

}  // namespace veyra::alarm

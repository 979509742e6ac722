#include "features/alarm/OperateCodec.h"

#include <string>

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
  return operation == Operation::Arm ? "3G камера не найдена" : "3G камера не найдена!!";
}

std::string_view OperateNoReplyText(Operation operation) {
  switch (operation) {
    case Operation::Arm:
      return "Ошибка активации!";
    case Operation::Disarm:
      return "Ошибка деактивации!";
    case Operation::Partial:
      return "Выборочный режим Failure!";
  }
  return "";
}

std::string_view OperateSuccessText(Operation operation) {
  switch (operation) {
    case Operation::Arm:
      return "Активировать систему!";
    case Operation::Disarm:
      return "Дезактивировать систему!";
    case Operation::Partial:
      return "Выборочный режим OK!";
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

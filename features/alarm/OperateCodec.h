// Arm, disarm and partial mode: one command without data each, judged by its acknowledgement.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "link/AckCheck.h"
#include "link/Frame.h"
#include "link/Notifier.h"

namespace veyra::alarm {

enum class Operation { Arm, Disarm, Partial };

inline constexpr std::uint8_t kArmCommand = 0x09;
inline constexpr std::uint8_t kDisarmCommand = 0x0A;
inline constexpr std::uint8_t kPartialCommand = 0x0B;

std::uint8_t OperateCommand(Operation operation);

// The operation a command code stands for; none for any other code.
std::optional<Operation> OperationFromCommand(std::uint8_t command);

// LEN 0 and the command: 00 09, 00 0A, 00 0B.
Bytes OperatePayload(Operation operation);

// Shown, with nothing sent, while no host has been found. Arm's text has no exclamation marks.
std::string_view OperateHostNotFoundText(Operation operation);

// Shown when no frame came back in any attempt.
std::string_view OperateNoReplyText(Operation operation);

// Shown when the reply is the expected acknowledgement.
std::string_view OperateSuccessText(Operation operation);

// Shown when the reply differs from the acknowledgement, so a refused command is never silent.
std::string_view OperateFailureText(Operation operation);

// The message a received frame earns, judged by the command of the frame sent last (not by
// the command of the reply). None when nothing was sent yet or the sent command is not ours.
std::optional<Message> OperateReplyMessage(const Bytes& sentFrame, const Bytes& receivedFrame,
                                           const AckCheck& checkAck);

}  // namespace veyra::alarm

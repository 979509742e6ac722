// What a reply to a command that changes the host comes to: whether the host acknowledged the
// command, and the message that earns. A caller that acts on the verdict reads the flag, never
// the message's words, which a translation or a reworded text would change.
#pragma once

#include "link/Notifier.h"

namespace veyra {

struct ReplyOutcome {
  bool acknowledged = false;
  Message message;
};

}  // namespace veyra

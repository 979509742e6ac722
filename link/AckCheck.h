// How a reply is judged against the acknowledgement table: the link's CheckAck, or a stand-in
// in tests and tools. Returns 1 when the frame is the one expected for the command key.
#pragma once

#include <functional>
#include <string>

#include "link/Frame.h"

namespace veyra {

using AckCheck = std::function<int(const std::string& key, const Bytes& frame)>;

}  // namespace veyra

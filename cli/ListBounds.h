// How far veyractl reads a list the host sends, and what it says when a list stops at a bound.
#pragma once

#include <string>

#include "session/FrameQueue.h"

namespace veyra::cli {

using session::kLongListBounds;
using session::kShortListBounds;
using session::ListBounds;
using session::ListEnd;

// What veyractl says when a list stopped at a bound; empty for the other ends.
std::string ListBoundText(const char* command, ListEnd end, const ListBounds& bounds);

}  // namespace veyra::cli

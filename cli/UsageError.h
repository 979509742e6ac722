// How a command refuses what it was given.
#pragma once

namespace veyra::cli {

// Says what is wrong on standard error and gives the usage exit status, 2: nothing was sent.
int UsageError(const char* text);

}  // namespace veyra::cli

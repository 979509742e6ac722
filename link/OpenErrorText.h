// The system's description of why a port could not be opened, with a hint where the cause is
// common and the installer can fix it.
#pragma once

#include <string>

namespace veyra {

std::string OpenErrorText(int err);

}  // namespace veyra

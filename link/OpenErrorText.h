// The system's description of why a port could not be opened, with a hint where the cause is
// common and the installer can fix it.
#pragma once

#include <string>

namespace veyra {

std::string OpenErrorText(int err);

// The system's code for a device that is not there (ENOENT; ERROR_FILE_NOT_FOUND on Windows),
// which OpenErrorText explains as such.
extern const int kNoSuchDeviceError;
// The system's code for a device another opener holds (EBUSY; ERROR_ACCESS_DENIED on Windows).
extern const int kBusyDeviceError;

}  // namespace veyra

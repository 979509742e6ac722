// How veyractl opens the port a name stands for.
#pragma once

#include <string>

#include "link/HostLink.h"

namespace veyra::cli {

// Opens the port an entry or --port names: exactly "COM" and digits, else a device path (a
// directory may well be called COM7).
int OpenPortText(HostLink& link, const std::string& name);

}  // namespace veyra::cli

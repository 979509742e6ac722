// The platform's own serial ports (ComPortsPosix.cpp, ComPortsWin32.cpp), before the in-process
// devices are put beside them (ComPorts.cpp). The rules are those of the functions in ComPorts.h.
#pragma once

#include "link/ComPorts.h"

namespace veyra {

std::optional<std::vector<ComPort>> ListSystemComPorts(const PortSources& sources);
std::optional<std::string> SystemDeviceForCom(int n, const PortSources& sources);
std::optional<int> SystemComForDevice(const std::string& device, const PortSources& sources);

}  // namespace veyra

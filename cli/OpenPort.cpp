#include "cli/OpenPort.h"

#include <optional>

#include "link/ComPorts.h"

namespace veyra::cli {

int OpenPortText(HostLink& link, const std::string& name) {
  if (const std::optional<int> number = ComNameNumber(name)) return link.OpenPort(*number);
  const std::optional<int> number = ComForDevice(name);
  return link.OpenDevicePort(name, number.value_or(-1));
}

}  // namespace veyra::cli

// The COM name rules every platform's port list shares, and the in-process devices listed beside
// the system's ports.
#include "link/ComPorts.h"

#include <algorithm>
#include <climits>

#include "link/InProcessDevice.h"
#include "link/SystemComPorts.h"

namespace veyra {
namespace {

constexpr std::string_view kComPrefix = "COM";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// An in-process device takes its number's place: it was given a free one, and a port that came
// later under the same number is the one to give way, as an automatic port gives way to a link.
std::optional<std::vector<ComPort>> ListComPorts(const PortSources& sources) {
  std::optional<std::vector<ComPort>> ports = ListSystemComPorts(sources);
  const std::vector<InProcessDevice> devices = InProcessDevices();
  if (devices.empty()) return ports;
  if (!ports) ports.emplace();  // the system's list is unreadable; the devices here are not
  for (const InProcessDevice& device : devices) {
    std::erase_if(*ports, [&](const ComPort& port) { return port.number == device.number; });
    // Before the first higher number: its place in a sorted list, and a fair one in any other.
    const auto place = std::find_if(ports->begin(), ports->end(),
                                    [&](const ComPort& port) { return port.number > device.number; });
    ports->insert(place, ComPort{device.number, std::string(kComPrefix) + std::to_string(device.number),
                                 device.device, device.description});
  }
  if (ports->size() > static_cast<std::size_t>(kMaxListedPorts)) ports->resize(kMaxListedPorts);
  return ports;
}

std::optional<std::string> DeviceForCom(int n, const PortSources& sources) {
  for (const InProcessDevice& device : InProcessDevices())
    if (device.number == n) return device.device;
  return SystemDeviceForCom(n, sources);
}

std::optional<int> ComForDevice(const std::string& device, const PortSources& sources) {
  if (!IsInProcessDevice(device)) return SystemComForDevice(device, sources);
  for (const InProcessDevice& registered : InProcessDevices())
    if (registered.device == device) return registered.number;
  return std::nullopt;
}

std::string OneLineText(std::string_view text) {
  std::string line;
  for (const char c : text) {
    const bool blank = static_cast<unsigned char>(c) <= 0x20 || c == 0x7F;
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line += blank ? ' ' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

int ParsePortNumber(std::string_view text) {
  if (text.find(kComPrefix) == std::string_view::npos) return -1;
  std::string_view rest = text.substr(kComPrefix.size());
  std::size_t i = 0;
  while (i < rest.size() && (rest[i] == ' ' || (rest[i] >= '\t' && rest[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
    negative = rest[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < rest.size() && IsDigit(rest[i]); ++i) {
    value = value * 10 + (rest[i] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;  // saturate; keeps INT_MIN reachable
    }
  }
  if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::optional<int> ComNameNumber(std::string_view text) {
  if (text.size() <= kComPrefix.size() || text.substr(0, kComPrefix.size()) != kComPrefix)
    return std::nullopt;
  long long value = 0;
  for (const char c : text.substr(kComPrefix.size())) {
    if (!IsDigit(c)) return std::nullopt;
    value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(value);
}

}  // namespace veyra

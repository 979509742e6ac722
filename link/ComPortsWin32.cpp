// Port discovery on Windows: the serial ports the drivers registered under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, in the key's own order. Each value's data is the port's
// name ("COM7"), its name the driver's device ("\Device\Serial0"), which describes the port.
#include <windows.h>

#include "link/SystemComPorts.h"

namespace veyra {
namespace {

std::string DevicePath(int number) { return "\\\\.\\COM" + std::to_string(number); }

std::optional<std::vector<ComPort>> RegisteredPorts() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return std::vector<ComPort>{};  // no serial driver has registered a port: none there
  std::vector<ComPort> ports;
  for (DWORD index = 0; ports.size() < static_cast<std::size_t>(kMaxListedPorts); ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    char data[256];
    DWORD dataSize = sizeof data - 1;
    DWORD type = 0;
    const LONG result = ::RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataSize] = '\0';
    const std::string portName(data);  // the terminating NUL, when stored, ends it
    const std::optional<int> number = ComNameNumber(portName);
    if (!number || *number < 1 || *number > kMaxComNumber) continue;
    ports.push_back(ComPort{*number, portName, DevicePath(*number), std::string(name, nameSize)});
  }
  ::RegCloseKey(key);
  return ports;
}

}  // namespace

// The Linux sources (a ports directory, sysfs, by-id names) have no meaning here.
PortSources DefaultPortSources() { return {}; }

std::optional<std::vector<ComPort>> ListSystemComPorts(const PortSources&) { return RegisteredPorts(); }

// Any COMn may be opened, listed or not (some drivers register late); CreateFile says whether
// the port is there.
std::optional<std::string> SystemDeviceForCom(int n, const PortSources&) {
  if (n < 1 || n > kMaxComNumber) return std::nullopt;
  return DevicePath(n);
}

std::optional<int> SystemComForDevice(const std::string& device, const PortSources&) {
  std::string_view name = device;
  if (name.substr(0, 4) == "\\\\.\\") name.remove_prefix(4);
  std::string upper(name);
  for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  const std::optional<int> number = ComNameNumber(upper);
  if (!number || *number < 1 || *number > kMaxComNumber) return std::nullopt;
  return number;
}

}  // namespace veyra

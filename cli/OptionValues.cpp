#include "cli/OptionValues.h"

#include <climits>
#include <cstddef>
#include <optional>

#include "link/ComPorts.h"
#include "link/NetworkPort.h"

namespace veyra::cli {

namespace {

// Longer than any device path open() takes.
constexpr std::size_t kMaxPortText = 4096;

}  // namespace

bool IsOption(const std::string& arg) { return arg.rfind("--", 0) == 0 || arg == "-v" || arg == "-p"; }

std::string PortName(const std::string& value) {
  if (value.size() > 3 && (value[0] == 'c' || value[0] == 'C') && (value[1] == 'o' || value[1] == 'O') &&
      (value[2] == 'm' || value[2] == 'M') && ComNameNumber("COM" + value.substr(3)))
    return "COM" + value.substr(3);
  return value == "AUTO" || value == "Auto" ? "auto" : value;
}

const char* PortValueError(const std::string& value) {
  if (value.find_first_not_of(" \t") == std::string::npos) return "--port needs COMn, auto or a device path";
  if (value.size() >= kMaxPortText) return "--port value too long for COMn or a device path";
  // A URL that cannot be connected to is a typing error, told before anything is opened.
  if (IsNetworkDevice(value) && !ParseNetworkPort(value))
    return "--port takes a network port as tcp://HOST:PORT or rfc2217://HOST:PORT (PORT 1-65535)";
  // Past int the number would be cut to the largest one, and the refusal would name that port.
  const std::optional<int> com = ComNameNumber(value);
  if (com && *com == INT_MAX && value != "COM" + std::to_string(INT_MAX))
    return "--port COM number too large";
  return nullptr;
}

const char* PasswordValueError(const std::string& value) {
  if (value.empty()) return "--password needs the host's password";
  if (value.size() != 4 || value.find_first_not_of("0123456789") != std::string::npos)
    return "--password takes the host's four-digit password (NNNN)";
  return nullptr;
}

}  // namespace veyra::cli

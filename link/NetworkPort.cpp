#include "link/NetworkPort.h"

#include <charconv>

namespace veyra {
namespace {

std::optional<std::string_view> WithoutPrefix(std::string_view device, bool& rfc2217) {
  if (device.substr(0, kRawTcpPrefix.size()) == kRawTcpPrefix) {
    rfc2217 = false;
    return device.substr(kRawTcpPrefix.size());
  }
  if (device.substr(0, kRfc2217Prefix.size()) == kRfc2217Prefix) {
    rfc2217 = true;
    return device.substr(kRfc2217Prefix.size());
  }
  return std::nullopt;
}

}  // namespace

bool IsNetworkDevice(std::string_view device) {
  bool rfc2217 = false;
  return WithoutPrefix(device, rfc2217).has_value();
}

std::optional<NetworkPort> ParseNetworkPort(std::string_view device) {
  NetworkPort parsed;
  std::optional<std::string_view> rest = WithoutPrefix(device, parsed.rfc2217);
  if (!rest) return std::nullopt;
  // A trailing slash is what people copy from a browser's address bar.
  if (!rest->empty() && rest->back() == '/') rest->remove_suffix(1);
  std::string_view host, port;
  if (!rest->empty() && rest->front() == '[') {
    const std::size_t close = rest->find(']');
    if (close == std::string_view::npos || rest->substr(close + 1, 1) != ":") return std::nullopt;
    host = rest->substr(1, close - 1);
    port = rest->substr(close + 2);
  } else {
    const std::size_t colon = rest->rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    host = rest->substr(0, colon);
    port = rest->substr(colon + 1);
    // An IPv6 address without brackets leaves its port ambiguous.
    if (host.find(':') != std::string_view::npos) return std::nullopt;
  }
  if (host.empty() || host.find_first_of(" \t/@") != std::string_view::npos) return std::nullopt;
  if (port.empty() || port.size() > 5) return std::nullopt;
  int number = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (error != std::errc{} || end != port.data() + port.size() || number < 1 || number > 65535)
    return std::nullopt;
  parsed.host = std::string(host);
  parsed.port = number;
  return parsed;
}

const char* NetworkErrorText(int err) {
  switch (err) {
    case kNetBadAddress:
      return "Not a network port address: write tcp://HOST:PORT or rfc2217://HOST:PORT.";
    case kNetHostNotFound:
      return "Host not found: check the host name in the port's address.";
    case kNetRefused:
      return "Connection refused: nothing listens on that port of the host. Check the port number and "
             "that the serial server runs.";
    case kNetTimedOut:
      return "Time-out: the host did not take the connection in time. Check the address and the network.";
    case kNetLineRefused:
      return "The serial server refused 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.";
    case kNetNoLineAnswer:
      return "The serial server did not answer the line settings (9600 8N1): is this an RFC 2217 port? "
             "A raw TCP port is tcp://HOST:PORT.";
    case kNetClosedAtOnce:
      return "The serial server closed the connection at once: another client may be using the port, "
             "or the server could not open its serial device.";
    default:
      return nullptr;
  }
}

}  // namespace veyra

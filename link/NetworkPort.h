// Serial ports reached over the network, named by URL as other serial tools name them:
// "tcp://HOST:PORT" carries the line's bytes as they are, "rfc2217://HOST:PORT" is Telnet with the
// COM-PORT-OPTION, so the line's settings are negotiated with the serial server. The channel opens
// them by name as it opens a device path.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace veyra {

inline constexpr std::string_view kRawTcpPrefix = "tcp://";
inline constexpr std::string_view kRfc2217Prefix = "rfc2217://";

// How long a connection and then the server's answer to the line settings may take.
inline constexpr std::chrono::milliseconds kNetworkConnectTimeout{5000};
inline constexpr std::chrono::milliseconds kLineSettingsTimeout{3000};

struct NetworkPort {
  bool rfc2217 = false;
  std::string host;  // a name, an IPv4 address, or an IPv6 address without its brackets
  int port = 0;
};

// True for a name with one of the URL prefixes, well formed or not: such a name is never a device.
bool IsNetworkDevice(std::string_view device);
// The parts of "tcp://HOST:PORT" or "rfc2217://HOST:PORT" ("[::1]:PORT" for IPv6); none when the
// name is not such a URL or the port is not 1..65535.
std::optional<NetworkPort> ParseNetworkPort(std::string_view device);

// Why a network port did not open, as SerialChannel::LastErrno reports it beside the system's own
// codes. The values lie far above any errno or Windows error code.
enum NetworkError : int {
  kNetBadAddress = 0x4E450001,
  kNetHostNotFound,
  kNetRefused,
  kNetTimedOut,
  kNetLineRefused,
  kNetNoLineAnswer,
  kNetClosedAtOnce,
};

// The plain words for one of the codes above; null for any other code.
const char* NetworkErrorText(int err);

}  // namespace veyra

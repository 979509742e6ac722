// Network port names: which names are URLs at all, and what a URL's parts are.
#include <gtest/gtest.h>

#include "link/NetworkPort.h"
#include "link/OpenErrorText.h"

namespace veyra {
namespace {

TEST(NetworkPortTest, ParsesTheUrl) {
  const struct {
    const char* expect;
    const char* name;
    bool isNetwork, parses, rfc2217;
    const char* host;
    int port;
  } rows[] = {
      // clang-format off
      {"raw TCP is recognised", "tcp://127.0.0.1:2001", true, true, false, "127.0.0.1", 2001},
      {"RFC 2217 is recognised", "rfc2217://127.0.0.1:2002", true, true, true, "127.0.0.1", 2002},
      {"a host name is taken", "tcp://panel-7.example:4001", true, true, false, "panel-7.example", 4001},
      {"IPv6 in brackets is taken", "rfc2217://[::1]:7000", true, true, true, "::1", 7000},
      {"a trailing slash is taken", "tcp://10.0.0.5:4001/", true, true, false, "10.0.0.5", 4001},
      {"the highest port is taken", "tcp://h:65535", true, true, false, "h", 65535},
      {"no port is refused", "tcp://127.0.0.1", true, false, false, "", 0},
      {"port 0 is refused", "tcp://127.0.0.1:0", true, false, false, "", 0},
      {"a port past 65535 is refused", "tcp://127.0.0.1:65536", true, false, false, "", 0},
      {"a port with letters is refused", "tcp://127.0.0.1:20x1", true, false, false, "", 0},
      {"a signed port is refused", "tcp://127.0.0.1:+21", true, false, false, "", 0},
      {"an empty host is refused", "rfc2217://:2002", true, false, true, "", 0},
      {"bare IPv6 is refused: which colon ends the host?", "tcp://::1:7000", true, false, false, "", 0},
      {"a path after the port is refused", "tcp://h:4001/x", true, false, false, "", 0},
      {"credentials are refused", "tcp://u@h:4001", true, false, false, "", 0},
      {"a device path is no URL", "/dev/ttyUSB0", false, false, false, "", 0},
      {"the demo device is no URL", "inproc:demo", false, false, false, "", 0},
      {"a COM name is no URL", "COM7", false, false, false, "", 0},
      {"another scheme is no URL", "socket://h:4001", false, false, false, "", 0},
      {"an upper-case scheme is no URL: not a form other tools write", "TCP://h:4001", false, false, false, "", 0},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(IsNetworkDevice(row.name), row.isNetwork);
    const auto parsed = ParseNetworkPort(row.name);
    ASSERT_EQ(parsed.has_value(), row.parses);
    if (!parsed) continue;
    EXPECT_EQ(parsed->rfc2217, row.rfc2217);
    EXPECT_EQ(parsed->host, row.host);
    EXPECT_EQ(parsed->port, row.port);
  }
}

TEST(NetworkPortTest, RefusalsInPlainWords) {
  const struct {
    const char* expect;
    int code;
    const char* words;
  } rows[] = {
      // clang-format off
      {"host not found is told in plain words", kNetHostNotFound, "Host not found"},
      {"a refusal is told in plain words", kNetRefused, "Connection refused"},
      {"a time-out is told in plain words", kNetTimedOut, "Time-out"},
      {"a refused line is told in plain words", kNetLineRefused, "refused 9600 baud, 8 data bits, no parity, 1 stop bit"},
      {"an unanswered line is told in plain words", kNetNoLineAnswer, "did not answer the line settings"},
      {"a server that hangs up is told in plain words", kNetClosedAtOnce, "closed the connection at once"},
      {"a bad URL is told with the forms it takes", kNetBadAddress, "tcp://HOST:PORT or rfc2217://HOST:PORT"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_NE(OpenErrorText(row.code).find(row.words), std::string::npos) << OpenErrorText(row.code);
  }
}

}  // namespace
}  // namespace veyra

// Network port names: which names are URLs at all, and what a URL's parts are.
#include <gtest/gtest.h>

#include "link/NetworkPort.h"
#include "link/OpenErrorText.h"

namespace veyra {
namespace {

TEST(NetworkPortTest, ParsesTheUrl) {
  const struct {
    const char* fault;
    const char* name;
    bool isNetwork, parses, rfc2217;
    const char* host;
    int port;
  } rows[] = {
      // clang-format off
      {"raw TCP not recognised", "tcp://127.0.0.1:2001", true, true, false, "127.0.0.1", 2001},
      {"RFC 2217 not recognised", "rfc2217://127.0.0.1:2002", true, true, true, "127.0.0.1", 2002},
      {"a host name refused", "tcp://panel-7.example:4001", true, true, false, "panel-7.example", 4001},
      {"IPv6 in brackets refused", "rfc2217://[::1]:7000", true, true, true, "::1", 7000},
      {"a trailing slash refused", "tcp://10.0.0.5:4001/", true, true, false, "10.0.0.5", 4001},
      {"the highest port refused", "tcp://h:65535", true, true, false, "h", 65535},
      {"no port taken", "tcp://127.0.0.1", true, false, false, "", 0},
      {"port 0 taken", "tcp://127.0.0.1:0", true, false, false, "", 0},
      {"port past 65535 taken", "tcp://127.0.0.1:65536", true, false, false, "", 0},
      {"port with letters taken", "tcp://127.0.0.1:20x1", true, false, false, "", 0},
      {"signed port taken", "tcp://127.0.0.1:+21", true, false, false, "", 0},
      {"empty host taken", "rfc2217://:2002", true, false, true, "", 0},
      {"bare IPv6 taken: which colon ends the host?", "tcp://::1:7000", true, false, false, "", 0},
      {"a path after the port taken", "tcp://h:4001/x", true, false, false, "", 0},
      {"credentials taken", "tcp://u@h:4001", true, false, false, "", 0},
      {"a device path taken for a URL", "/dev/ttyUSB0", false, false, false, "", 0},
      {"the demo device taken for a URL", "inproc:demo", false, false, false, "", 0},
      {"a COM name taken for a URL", "COM7", false, false, false, "", 0},
      {"another scheme taken", "socket://h:4001", false, false, false, "", 0},
      {"upper-case scheme taken: not a form other tools write", "TCP://h:4001", false, false, false, "", 0},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    int code;
    const char* words;
  } rows[] = {
      // clang-format off
      {"host not found shown as a system error", kNetHostNotFound, "Host not found"},
      {"refusal shown as a system error", kNetRefused, "Connection refused"},
      {"time-out shown as a system error", kNetTimedOut, "Time-out"},
      {"a refused line shown as a system error", kNetLineRefused, "refused 9600 baud, 8 data bits, no parity, 1 stop bit"},
      {"an unanswered line shown as a system error", kNetNoLineAnswer, "did not answer the line settings"},
      {"a server that hangs up shown as a system error", kNetClosedAtOnce, "closed the connection at once"},
      {"a bad URL shown as a system error", kNetBadAddress, "tcp://HOST:PORT or rfc2217://HOST:PORT"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_NE(OpenErrorText(row.code).find(row.words), std::string::npos) << OpenErrorText(row.code);
  }
}

}  // namespace
}  // namespace veyra

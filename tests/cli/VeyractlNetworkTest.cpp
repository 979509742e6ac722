// veyractl on network ports against Debian's ser2net on 127.0.0.1: what only a network port can do
// wrong. The command table runs over every transport in VeyractlCommandTest.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/HostPort.h"
#include "link/TelnetComPort.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Ser2net.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using Clock = std::chrono::steady_clock;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// An RFC 2217 server that takes the connection and answers the line settings with 19200 baud,
// whatever was asked: a serial server whose port is fixed at another speed.
class FixedSpeedServer {
 public:
  FixedSpeedServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~FixedSpeedServer() {
    ::shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
  }
  std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }

 private:
  void Serve() {
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    using namespace telnet;
    const Bytes answer = {kIac,
                          kDo,
                          kComPortOption,
                          kIac,
                          kSb,
                          kComPortOption,
                          101,
                          0,
                          0,
                          0x4B,
                          0x00,
                          kIac,
                          kSe,
                          kIac,
                          kSb,
                          kComPortOption,
                          102,
                          8,
                          kIac,
                          kSe,
                          kIac,
                          kSb,
                          kComPortOption,
                          103,
                          1,
                          kIac,
                          kSe,
                          kIac,
                          kSb,
                          kComPortOption,
                          104,
                          1,
                          kIac,
                          kSe,
                          kIac,
                          kSb,
                          kComPortOption,
                          105,
                          1,
                          kIac,
                          kSe};
    std::uint8_t chunk[512];
    if (::read(fd, chunk, sizeof chunk) > 0) {
      [[maybe_unused]] ssize_t n = ::write(fd, answer.data(), answer.size());
    }
    // Until the client has given up on the line.
    while (::read(fd, chunk, sizeof chunk) > 0) {
    }
    ::close(fd);
  }

  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

class VeyractlNetworkTest : public test::PtyHostFixture {
 protected:
  void SetUp() override {
    PtyHostFixture::SetUp();
    if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
  }

  test::ScratchDir scratch;
};

TEST_F(VeyractlNetworkTest, FfInFramesCrossesEveryTransport) {
  hostsim::Faults faults;
  faults.replaceReply = test::Hex("AA 00 FF FF 55");
  host.SetFaults(faults);
  env.SetTimeouts(2, 300);
  const struct {
    const char* expect;
    std::optional<bool> rfc2217;  // none: the pseudo-terminal itself
  } rows[] = {
      {"FF crosses the pseudo-terminal", std::nullopt},
      {"FF crosses raw TCP", false},
      {"FF crosses RFC 2217 escaped as IAC IAC", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    // A server of its own per row: ser2net holds a device a while after its client has gone.
    test::Ser2net server;
    if (row.rfc2217) {
      ASSERT_TRUE(server.Start({test::Ser2net::Serial(*row.rfc2217, host.DevicePath())}));
    }
    host.ClearLog();
    const auto result =
        test::RunVeyractl({"--port", row.rfc2217 ? server.Url(0) : "COM7", "send", "00", "FF"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "AA 00 FF FF 55\n");
    EXPECT_EQ(test::Hexes(host.FramesReceived()), std::vector<std::string>{"AA 00 FF 00 55"});
  }
}

// The search names the port it found the host on as the user named it: a URL, never "COM-1".
TEST_F(VeyractlNetworkTest, ASearchOnANetworkPortNamesItByItsUrl) {
  const struct {
    const char* expect;
    bool rfc2217;
  } rows[] = {
      {"raw TCP: the host found on its URL", false},
      {"RFC 2217: the host found on its URL", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    test::Ser2net server;
    ASSERT_TRUE(server.Start({test::Ser2net::Serial(row.rfc2217, host.DevicePath())}));
    const std::string url = server.Url(0);
    const auto result = test::RunVeyractl({"--port", url, "--password", "1234", "search"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, url + " 3G-камера не найдена!\n" + url + " Successful to find main host!\n");
  }
}

TEST_F(VeyractlNetworkTest, AServerKilledMidListLosesTheLineOnce) {
  for (const bool rfc2217 : {false, true}) {
    SCOPED_TRACE(rfc2217 ? "RFC 2217: the list ends and the line is lost once"
                         : "raw TCP: the list ends and the line is lost once");
    test::Ser2net server;
    ASSERT_TRUE(server.Start({test::Ser2net::Serial(rfc2217, host.DevicePath())}));
    hostsim::Faults faults;
    faults.pace = true;  // 9600 baud: the list takes long enough to be cut
    host.SetFaults(faults);
    env.SetTimeouts(3, 1000);
    test::RunningProcess run({VEYRACTL_PATH, "--port", server.Url(0), "-v", "history"});
    ASSERT_TRUE(run.AwaitOutput("1\t", std::chrono::seconds(10))) << run.err;
    server.Kill();
    EXPECT_EQ(run.Finish(std::chrono::seconds(20)), 1) << run.err;
    EXPECT_EQ(run.out.rfind("1\t", 0), 0u) << run.out;
    EXPECT_LT(Count(run.out, "\t"), 37u * 4) << "the whole list came: nothing was cut";
    EXPECT_EQ(Count(run.out, std::string(kLineLostText) + "\n"), 1u) << run.out;
    EXPECT_EQ(Count(run.err, PortEventText(PortEvent::Disconnected)), 1u) << run.err;
  }
}

TEST_F(VeyractlNetworkTest, RefusalsSayWhyInPlainWords) {
  test::Ser2net notSerial;
  // A Telnet server in front of something that is no serial port takes no line settings.
  ASSERT_TRUE(notSerial.Start({test::Ser2net::TelnetTo("stdio,/bin/cat")}));
  FixedSpeedServer fixedSpeed;
  const std::string nobody = "127.0.0.1:" + std::to_string(test::FreeLoopbackPort());
  const struct {
    const char* expect;
    std::string port;
    std::string words;
  } rows[] = {
      // clang-format off
      {"a raw port nobody listens on is refused", "tcp://" + nobody, "Connection refused"},
      {"an RFC 2217 port nobody listens on is refused", "rfc2217://" + nobody, "Connection refused"},
      {"an unknown host is named as such", "tcp://no-such-host.invalid:2001", "Host not found"},
      {"a server fixed at 19200 baud is refused", fixedSpeed.Url(), "refused 9600 baud, 8 data bits, no parity, 1 stop bit"},
      {"a server that ignores the line settings is given up", notSerial.Url(0), "did not answer the line settings"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto result = test::RunVeyractl({"--port", row.port, "send", "00", "09"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(row.words), std::string::npos) << result.err;
  }
}

TEST_F(VeyractlNetworkTest, BackupRestoreAndDiffWorkOverBothTransports) {
  env.SetTimeouts(3, 300);
  for (const bool rfc2217 : {false, true}) {
    SCOPED_TRACE(rfc2217 ? "RFC 2217" : "raw TCP");
    test::Ser2net server;
    ASSERT_TRUE(server.Start({test::Ser2net::Serial(rfc2217, host.DevicePath())}));
    const std::string file = scratch.Path(rfc2217 ? "rfc2217.ini" : "tcp.ini");
    const auto backup = test::RunVeyractl({"--port", server.Url(0), "backup", file});
    EXPECT_EQ(backup.status, 0) << backup.err;
    const auto direct = test::RunVeyractl({"--port", "COM7", "diff", file});
    EXPECT_EQ(direct.out, "no difference\n") << "the backup over the network differs from the host";
    const auto restore = test::RunVeyractl({"--port", server.Url(0), "restore", file, "--yes"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(restore.out, test::RestoreOutput());
    const auto diff = test::RunVeyractl({"--port", server.Url(0), "diff", file});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out, "no difference\n");
  }
}

}  // namespace
}  // namespace veyra

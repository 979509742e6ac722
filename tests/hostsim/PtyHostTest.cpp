// The simulated host on its pseudo-terminal, seen from the programs that come and go on it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using PtyHostTest = test::PtyHostFixture;

// A program that asks for the history, reads the start of it and dies.
void AskForHistoryAndDie(const std::string& device, hostsim::PtyHost& host) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  termios raw{};
  ASSERT_EQ(::tcgetattr(fd, &raw), 0);
  ::cfmakeraw(&raw);
  ASSERT_EQ(::tcsetattr(fd, TCSANOW, &raw), 0);
  const Bytes read = test::Hex("AA 00 02 02 55");
  ASSERT_EQ(::write(fd, read.data(), read.size()), static_cast<ssize_t>(read.size()));
  ASSERT_EQ(host.WaitForFrames(1, 5000), 1u);
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 5000), 1) << "the answer has begun";
  ::close(fd);
}

TEST_F(PtyHostTest, AnAnswerToAProgramThatLeftDoesNotReachTheNext) {
  hostsim::Faults paced;
  paced.pace = true;  // the answer takes about half a second, as on a real line
  host.SetFaults(paced);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("the rest of a killed history read taken as the arm's reply, round " +
                 std::to_string(round));
    host.ClearLog();
    AskForHistoryAndDie(host.DevicePath(), host);
    env.SetTimeouts(1, 2000);
    const auto result = test::RunVeyractl({"--port", "COM7", "arm"});
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Активировать систему!\n");
  }
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::RunVeyractl;

class VeyractlSearchTest : public test::SearchHostsFixture {
 protected:
  void SetUp() override {
    SearchHostsFixture::SetUp();
    env.SetTimeouts(1, 200);
  }
};

TEST_F(VeyractlSearchTest, SearchPrintsWhatTheStatusLineWouldShow) {
  const struct {
    const char* expect;
    std::vector<std::string> args;
    int status;
    std::string out;
  } rows[] = {
      // clang-format off
      {"auto tries every port in order", {"--password", "1234", "search"}, 0, "COM1 3G-камера не найдена!\nCOM3 3G-камера не найдена!\nCOM3 Successful to find main host!\n"},
      {"a port given by name is the only one tried", {"--port", "COM3", "--password", "1234", "search"}, 0, "COM3 3G-камера не найдена!\nCOM3 Successful to find main host!\n"},
      {"a wrong password exits 1 and says so", {"--port", "COM3", "--password", "4321", "search"}, 1, "COM3 3G-камера не найдена!\nНеверный пароль!!\n"},
      {"a silent port counts as not found", {"--port", "COM1", "--password", "1234", "search"}, 1, "COM1 3G-камера не найдена!\n"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
  }
}

TEST_F(VeyractlSearchTest, PasswordLogsInBeforeACommandAndARefusalStopsIt) {
  auto result = RunVeyractl({"--port", "COM3", "--password", "1234", "send", "00", "09"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "AA 00 09 09 55\n") << "the login's status lines are not the command's result";
  host.ClearLog();
  result = RunVeyractl({"--port", "COM3", "--password", "9999", "send", "00", "09"});
  EXPECT_EQ(result.status, 1);
  ASSERT_EQ(host.FramesReceived().size(), 1u) << "only the login reached the host";
  EXPECT_EQ(host.FramesReceived()[0][2], 0x01);
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include "session/LoginCodec.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra::session {
namespace {

TEST(LoginCodec, PasswordTravelsAsPackedDigits) {
  struct Row {
    int password;
    Bytes payload;
  };
  const Row rows[] = {
      {1234, {0x02, 0x01, 0x12, 0x34}},
      {0, {0x02, 0x01, 0x00, 0x00}},      // an empty field
      {9870, {0x02, 0x01, 0x98, 0x70}},
      {2, {0x02, 0x01, 0x00, 0x02}},
      {12345, {0x02, 0x01, 0xC3, 0x45}},  // past four digits: kept to eight bits, never out of range
  };
  for (const Row& row : rows) EXPECT_EQ(LoginPayload(row.password), row.payload) << row.password;
}

TEST(LoginCodec, VerdictIsByteThreeWhateverTheCommand) {
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x01, 0x03, 0x55}), true);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x00, 0x02, 0x55}), false);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x07, 0x01, 0x09, 0x55}), true);
  EXPECT_EQ(LoginVerdict({0xAA, 0x01, 0x01, 0x02, 0x04, 0x55}), std::nullopt);
  EXPECT_EQ(LoginVerdict({0xAA, 0x00, 0x01}), std::nullopt) << "a frame too short has no verdict";
}

TEST(LoginCodec, StatusTexts) {
  EXPECT_EQ(NotFoundStatus("COM3"), "COM3 3G-камера не найдена!");
  EXPECT_EQ(FoundStatus(3), "COM3 Successful to find main host!");
}

using test::RunVeyractl;

class VeyractlSearchTest : public test::SearchHostsFixture {
 protected:
  void SetUp() override {
    SearchHostsFixture::SetUp();
    env.SetTimeouts(1, 200);
  }
};

TEST_F(VeyractlSearchTest, SearchPrintsWhatTheStatusLineWouldShow) {
  struct Row {
    const char* fault;
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  const Row rows[] = {
      {"auto tries every port in order", {"--password", "1234", "search"}, 0,
       "COM1 3G-камера не найдена!\nCOM3 3G-камера не найдена!\nCOM3 Successful to find main host!\n"},
      {"one port by name", {"--port", "COM3", "--password", "1234", "search"}, 0,
       "COM3 3G-камера не найдена!\nCOM3 Successful to find main host!\n"},
      {"a wrong password is said and fails", {"--port", "COM3", "--password", "4321", "search"}, 1,
       "COM3 3G-камера не найдена!\nНеверный пароль!!\n"},
      {"a silent port fails", {"--port", "COM1", "--password", "1234", "search"}, 1, "COM1 3G-камера не найдена!\n"},
      {"search needs a password", {"search"}, 2, ""},
  };
  for (const Row& row : rows) {
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << row.fault << "\n" << result.err;
    EXPECT_EQ(result.out, row.out) << row.fault;
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
}  // namespace veyra::session

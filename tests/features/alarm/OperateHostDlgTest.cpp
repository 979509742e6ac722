#include <gtest/gtest.h>

#include <QPushButton>
#include <string>
#include <vector>

#include "features/alarm/COperateHostDlg.h"
#include "tests/common/DialogFixture.h"

namespace veyra {
namespace {

using alarm::Operation;

using OperateHostDlgTest = test::DialogFixture<COperateHostDlg>;

// What each message says, a refusal's included, is the codec's to prove; here, that each button
// sends its own command and that every way an exchange ends reaches the user.
TEST_F(OperateHostDlgTest, EachButtonSendsItsCommandAndReportsTheHostsAnswer) {
  enum class Host { Echoes, Silent, Late, NotFound };
  const struct {
    const char* expect;
    Operation operation;
    Host host;
    std::vector<std::string> shown;
  } rows[] = {
      {"arm sends the arm command and reports it done",
       Operation::Arm,
       Host::Echoes,
       {"Активировать систему!"}},
      {"disarm sends the disarm command", Operation::Disarm, Host::Echoes, {"Дезактивировать систему!"}},
      {"partial sends the partial command", Operation::Partial, Host::Echoes, {"Выборочный режим OK!"}},
      {"no reply to arm is reported", Operation::Arm, Host::Silent, {"Ошибка активации!"}},
      {"a late reply is still reported",
       Operation::Arm,
       Host::Late,
       {"Ошибка активации!", "Активировать систему!"}},
      {"arm with no host found says so and sends nothing",
       Operation::Arm,
       Host::NotFound,
       {"3G камера не найдена"}},
  };
  const Bytes onTheLine[] = {
      {0xAA, 0x00, 0x09, 0x09, 0x55}, {0xAA, 0x00, 0x0A, 0x0A, 0x55}, {0xAA, 0x00, 0x0B, 0x0B, 0x55}};
  env.SetTimeouts(1, 150);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    if (row.host == Host::Late) faults.delayMs = 400;
    host.SetFaults(faults);
    HostFound = row.host == Host::NotFound ? 0 : 1;
    host.ClearLog();
    messages.Clear();

    dialog->Button(row.operation)->click();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    std::vector<Message> expected;
    for (const std::string& text : row.shown) expected.push_back(OwnedMessage(text));
    EXPECT_EQ(messages.Messages(), expected);
    if (row.host == Host::NotFound) {
      EXPECT_TRUE(host.FramesReceived().empty());
    } else {
      ASSERT_EQ(host.WaitForFrames(1, 1000), 1u);
      EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{onTheLine[static_cast<int>(row.operation)]});
    }
  }
}

TEST_F(OperateHostDlgTest, ClosingTheDialogStopsRepliesReachingIt) {
  env.SetTimeouts(1, 100);
  hostsim::Faults late;
  late.delayMs = 500;
  host.SetFaults(late);
  dialog->Button(Operation::Arm)->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&dialog->Link()));
  dialog.reset();
  EXPECT_EQ(port.Owner(), nullptr);
  // The main window takes the port back; the late echo reaches it, not the closed dialog.
  link.SetCommn(&port);
  ASSERT_TRUE(link.WaitForReplies(1));
  EXPECT_EQ(link.Received().front(), BuildFrame({0x00, 0x09}));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Ошибка активации!"});
}

}  // namespace
}  // namespace veyra

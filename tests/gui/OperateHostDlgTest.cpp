#include <gtest/gtest.h>

#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "alarm/COperateHostDlg.h"
#include "hostsim/AlarmState.h"
#include "tests/common/LinkHarness.h"
#include "tests/gui/WaitFor.h"

namespace veyra {
namespace {

using alarm::Operation;
using testing::LinkHarness;

class OperateHostDlgTest : public LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
  }
  void TearDown() override {
    HostFound = 0;
    LinkHarness::TearDown();
  }
  std::unique_ptr<COperateHostDlg> OpenDialog() {
    auto dialog = std::make_unique<COperateHostDlg>();
    dialog->SetCommn(&port);
    EXPECT_EQ(dialog->OpenPort(kCom), 1);
    dialog->show();
    return dialog;
  }
};

TEST_F(OperateHostDlgTest, TitleAndButtonsTopToBottom) {
  COperateHostDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Работа с системой "));
  EXPECT_EQ(dialog.Button(Operation::Arm)->text(), QStringLiteral("Активировать систему"));
  EXPECT_EQ(dialog.Button(Operation::Disarm)->text(), QStringLiteral("Деактивировать систему"));
  EXPECT_EQ(dialog.Button(Operation::Partial)->text(), QStringLiteral("Выборочный режим"));
  dialog.show();
  EXPECT_LT(dialog.Button(Operation::Arm)->y(), dialog.Button(Operation::Disarm)->y());
  EXPECT_LT(dialog.Button(Operation::Disarm)->y(), dialog.Button(Operation::Partial)->y());
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 3) << "no close button of its own";
}

TEST_F(OperateHostDlgTest, EachButtonSendsItsCommandAndReportsTheHostsAnswer) {
  enum class Host { Echoes, Refuses, Silent, Late, NotFound };
  struct Row {
    const char* fault;
    Operation operation;
    Host host;
    std::vector<std::string> shown;
    hostsim::AlarmMode mode;  // the host's mode afterwards, starting disarmed
  };
  using M = hostsim::AlarmMode;
  const Row rows[] = {
      {"arm sends 00 09 and an echo earns the success text", Operation::Arm, Host::Echoes, {"Активировать систему!"}, M::Armed},
      {"disarm sends 00 0A; its success text says Дезактивировать", Operation::Disarm, Host::Echoes, {"Дезактивировать систему!"}, M::Disarmed},
      {"partial sends 00 0B", Operation::Partial, Host::Echoes, {"Выборочный режим OK!"}, M::Partial},
      {"a refused arm is not silent", Operation::Arm, Host::Refuses, {"Ошибка активации!"}, M::Armed},
      {"a refused disarm is not silent", Operation::Disarm, Host::Refuses, {"Ошибка деактивации!"}, M::Disarmed},
      {"a refused partial mode reports failure", Operation::Partial, Host::Refuses, {"Выборочный режим Failure!"}, M::Partial},
      {"no reply to arm", Operation::Arm, Host::Silent, {"Ошибка активации!"}, M::Disarmed},
      {"no reply to disarm", Operation::Disarm, Host::Silent, {"Ошибка деактивации!"}, M::Disarmed},
      {"no reply to partial", Operation::Partial, Host::Silent, {"Выборочный режим Failure!"}, M::Disarmed},
      {"a late reply is still judged after the no-reply text", Operation::Arm, Host::Late,
       {"Ошибка активации!", "Активировать систему!"}, M::Armed},
      {"arm's not-found text has no exclamation marks", Operation::Arm, Host::NotFound, {"3G камера не найдена"}, M::Disarmed},
      {"disarm with no host sends nothing", Operation::Disarm, Host::NotFound, {"3G камера не найдена!!"}, M::Disarmed},
      {"partial with no host sends nothing", Operation::Partial, Host::NotFound, {"3G камера не найдена!!"}, M::Disarmed},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    {
      auto lock = host.Lock();
      host.Host().Handle(BuildFrame({0x00, 0x0A}));  // every row starts disarmed
    }
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    if (row.host == Host::Refuses) faults.replaceReply = BuildFrame({0x00, 0x0C});
    if (row.host == Host::Late) faults.delayMs = 400;
    host.SetFaults(faults);
    env.SetTimeouts(1, 150);
    HostFound = row.host == Host::NotFound ? 0 : 1;
    auto dialog = OpenDialog();
    host.ClearLog();
    messages.Clear();

    dialog->Button(row.operation)->click();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    std::vector<Message> expected;
    for (const std::string& text : row.shown) expected.push_back(veyra::OwnedMessage(text));
    EXPECT_EQ(messages.Messages(), expected);

    const Bytes command = BuildFrame(alarm::OperatePayload(row.operation));
    if (row.host == Host::NotFound) {
      EXPECT_TRUE(host.FramesReceived().empty());
    } else {
      ASSERT_EQ(host.WaitForFrames(1, 1000), 1u);
      EXPECT_EQ(host.FramesReceived().front(), command);
      const Bytes onTheLine[] = {{0xAA, 0x00, 0x09, 0x09, 0x55}, {0xAA, 0x00, 0x0A, 0x0A, 0x55}, {0xAA, 0x00, 0x0B, 0x0B, 0x55}};
      EXPECT_EQ(command, onTheLine[static_cast<int>(row.operation)]);
    }
    auto lock = host.Lock();
    EXPECT_EQ(host.Host().Alarm().Mode(), row.mode);
  }
}

TEST_F(OperateHostDlgTest, ClosingTheDialogStopsRepliesReachingIt) {
  env.SetTimeouts(1, 100);
  hostsim::Faults late;
  late.delayMs = 500;
  host.SetFaults(late);
  {
    auto dialog = OpenDialog();
    dialog->Button(Operation::Arm)->click();
    ASSERT_TRUE(messages.WaitFor(1));
    EXPECT_EQ(port.Owner(), static_cast<HostLink*>(dialog.get()));
  }
  EXPECT_EQ(port.Owner(), nullptr);
  // The main window takes the port back; the late echo reaches it, not the closed dialog.
  link.SetCommn(&port);
  ASSERT_TRUE(link.WaitForReplies(1));
  EXPECT_EQ(link.Received().front(), BuildFrame({0x00, 0x09}));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Ошибка активации!"});
}

}  // namespace
}  // namespace veyra

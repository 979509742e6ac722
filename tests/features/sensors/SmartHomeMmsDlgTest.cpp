// The smart-home and MMS dialogs against the simulated host on a pseudo-terminal: what each button
// puts on the line, what the host keeps, and every way an exchange ends reaching the user. Which
// text each kind of reply earns, and every byte rule, is the codec tests' business.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
#include "hostsim/AccessoryState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"

namespace veyra {
namespace {

using Lines = std::vector<std::string>;
using hostsim::AccessoryState;
using test::FrameLine;

enum class Host { Answers, Silent, Late, NotFound };

template <class Dialog>
struct Typed {
  QLineEdit* (Dialog::*edit)() const;
  const char* text;  // UTF-8
};

template <class Dialog>
struct Row {
  const char* fault;
  std::vector<Typed<Dialog>> typed;  // every other field empty
  int position;                      // of every list
  QPushButton* (Dialog::*button)() const;
  Host host;
  Lines line;   // frames the host read
  Lines shown;  // message texts, in order
  const char* kept = "";
};

void Select(CSmartHomeDlg& dialog, int position) {
  dialog.SingleList()->setCurrentIndex(position);
  dialog.DoubleList()->setCurrentIndex(position);
}
void Select(CMmsSettingDlg& dialog, int position) { dialog.WapList()->setCurrentIndex(position); }

template <class Dialog>
class AccessoryDlgTest : public test::DialogFixture<Dialog> {
 protected:
  void SetUp() override {
    test::DialogFixture<Dialog>::SetUp();
    this->env.SetTimeouts(1, 300);
  }

  void Check(const Row<Dialog>& row) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    if (row.host == Host::Late) faults.delayMs = 500;
    this->host.SetFaults(faults);
    HostFound = row.host == Host::NotFound ? 0 : 1;
    this->host.ClearLog();
    {
      auto lock = this->host.Lock();
      this->host.Host().Accessories() = AccessoryState();
    }
    this->messages.Clear();
    Dialog& dialog = *this->dialog;
    for (QLineEdit* edit : dialog.template findChildren<QLineEdit*>()) edit->clear();
    for (const Typed<Dialog>& typed : row.typed)
      (dialog.*typed.edit)()->setText(QString::fromUtf8(typed.text));
    Select(dialog, row.position);

    (dialog.*row.button)()->click();
    EXPECT_TRUE(this->messages.WaitFor(row.shown.size(), 2000));
    EXPECT_EQ(this->messages.Texts(), row.shown);
    EXPECT_EQ(test::Hexes(this->host.FramesReceived()), row.line);
    auto lock = this->host.Lock();
    const std::string kept = this->host.Host().Accessories().Describe();
    EXPECT_NE(kept.find(row.kept), std::string::npos) << kept;
  }
};

using SmartHomeDlgTest = AccessoryDlgTest<CSmartHomeDlg>;
using MmsSettingDlgTest = AccessoryDlgTest<CMmsSettingDlg>;
using SH = CSmartHomeDlg;
using MMS = CMmsSettingDlg;

TEST_F(SmartHomeDlgTest, EachButtonSendsItsCodeAndEveryEndOfTheExchangeIsShown) {
  const Lines accepted{"Настройки приняты"};
  // A list opening without a selection would send nothing; what the fields refuse is the bad-input table's.
  EXPECT_EQ(dialog->SingleList()->currentText(), QStringLiteral("1_CH(01)"));
  EXPECT_EQ(dialog->DoubleList()->currentText(), QStringLiteral("1_CH On(11)"));
  // clang-format off
  const Row<SH> rows[] = {
      {"ID not sent as typed", {{&SH::IdEdit, "123456"}}, 0, &SH::SetIdButton, Host::Answers,
       {"AA 03 20 12 34 56 BF 55"}, accepted, "id=123456 "},
      {"the selected channel not sent", {}, 2, &SH::SendSingleButton, Host::Answers, {"AA 01 21 03 25 55"},
       accepted, "single=03 double= "},
      {"the selected double code not sent", {}, 3, &SH::SendDoubleButton, Host::Answers, {"AA 01 22 20 43 55"},
       accepted, "single= double=20 "},
      {"no reply goes unreported", {}, 0, &SH::SendSingleButton, Host::Silent, {"AA 01 21 01 23 55"},
       {"Ошибка передачи данных!"}},
      {"a late reply dropped", {}, 0, &SH::SendDoubleButton, Host::Late, {"AA 01 22 11 34 55"},
       {"Ошибка передачи данных!", "Настройки приняты"}},
  };
  for (const auto& row : rows) Check(row);
  for (auto button : {&SH::SetIdButton, &SH::SendSingleButton, &SH::SendDoubleButton})
    Check({"a button sends while no host is found", {}, 0, button, Host::NotFound, {}, {"3G камера не найдена!!"}});
  // clang-format on
}

TEST_F(MmsSettingDlgTest, EachButtonSendsItsTextAndEveryEndOfTheExchangeIsShown) {
  const Lines sent{"Sending Successful"};
  // clang-format off
  const Row<MMS> rows[] = {
      {"spaces around the APN sent", {{&MMS::ApnEdit, " internet\t"}}, 0, &MMS::SetApnButton, Host::Answers,
       {FrameLine("08 26 69 6E 74 65 72 6E 65 74")}, sent, "apn=internet "},
      {"user sent before the password", {{&MMS::UserEdit, " u "}, {&MMS::PasswordEdit, "p"}}, 0,
       &MMS::SetUserButton, Host::Answers, {FrameLine("07 27 22 70 22 2C 22 75 22")}, sent, "password=p user=u "},
      {"the URL field not read", {{&MMS::UrlEdit, "http://m/"}}, 0, &MMS::SetUrlButton, Host::Answers,
       {FrameLine("09 29 68 74 74 70 3A 2F 2F 6D 2F")}, sent, "url=http://m/ "},
      {"WAP 1.2 sent with the flag of 2.0", {{&MMS::IpEdit, "1.2.3.4"}, {&MMS::PortEdit, "80"}}, 1,
       &MMS::SetGatewayButton, Host::Answers, {FrameLine("0E 30 30 2C 22 31 2E 32 2E 33 2E 34 22 2C 38 30")},
       sent, "wap=1.2 ip=1.2.3.4 port=80 "},
      {"the test MMS's result shown, or its number not packed", {{&MMS::PhoneEdit, "+712345"}}, 0,
       &MMS::SendTestButton, Host::Answers, {"AA 04 32 B7 12 34 5F 93 55"}, {}, "phone=+712345 "},
      {"no reply to the test MMS goes unreported", {}, 0, &MMS::SendTestButton, Host::Silent,
       {"AA 01 32 FF 33 55"}, {"Data sending error!"}},
  };
  for (const auto& row : rows) Check(row);
  for (auto button : {&MMS::SetApnButton, &MMS::SetUserButton, &MMS::SetUrlButton, &MMS::SetGatewayButton,
                      &MMS::SendTestButton})
    Check({"a button sends while no host is found", {}, 0, button, Host::NotFound, {}, {"Do not search the host!!"}});
  // clang-format on
}

TEST_F(MmsSettingDlgTest, OpensOnWap20WithThePasswordInClear) {
  EXPECT_EQ(dialog->WapList()->currentText(), QStringLiteral("WAP2.0"));
  EXPECT_EQ(dialog->WapList()->itemText(1), QStringLiteral("WAP1.2"));
  EXPECT_EQ(dialog->PasswordEdit()->echoMode(), QLineEdit::Normal);
}

}  // namespace
}  // namespace veyra

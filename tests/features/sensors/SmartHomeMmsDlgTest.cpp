// The smart-home and MMS dialogs against the simulated host on a pseudo-terminal: what each field,
// list and button puts on the line, and every way an exchange ends reaching the user. Which text
// each kind of reply earns, which texts are refused, every byte rule and what the host keeps are
// the codec and host tests' business.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
#include "tests/common/BadInput.h"
#include "tests/common/DialogFixture.h"

namespace veyra {
namespace {

using Lines = std::vector<std::string>;
using test::FrameLine;
using test::kSet;
using test::kTyped;

enum class Host { Answers, Silent, Late, NotFound };

// The fields and lists as a row finds them: the smart-home dialog would send channel 3 and the
// double code 20; the MMS dialog has every text filled and WAP 1.2 chosen.
void Fill(CSmartHomeDlg& dialog) {
  dialog.IdEdit()->clear();
  dialog.SingleList()->setCurrentIndex(2);
  dialog.DoubleList()->setCurrentIndex(3);
}
void Fill(CMmsSettingDlg& dialog) {
  dialog.ApnEdit()->setText("internet");
  dialog.UserEdit()->setText("u");
  dialog.PasswordEdit()->setText("p");
  dialog.UrlEdit()->setText("http://m/");
  dialog.IpEdit()->setText("1.2.3.4");
  dialog.PortEdit()->setText("80");
  dialog.WapList()->setCurrentIndex(1);
  dialog.PhoneEdit()->setText("+712345");
}

template <class Dialog>
class AccessoryDlgTest : public test::DialogFixture<Dialog> {
 protected:
  void SetUp() override {
    test::DialogFixture<Dialog>::SetUp();
    this->env.SetTimeouts(1, 300);
  }
  // Presses each row with the host behaving as `behaves`; a row that only presses a button puts
  // into its field what the field already holds.
  void Press(Host behaves, const std::vector<test::BadInput>& rows) {
    hostsim::Faults faults;
    faults.silent = behaves == Host::Silent;
    if (behaves == Host::Late) faults.delayMs = 500;
    this->host.SetFaults(faults);
    HostFound = behaves == Host::NotFound ? 0 : 1;
    for (const test::BadInput& row : rows) {
      Fill(*this->dialog);
      test::Press(row, this->messages, this->host);
    }
  }
};

using SmartHomeDlgTest = AccessoryDlgTest<CSmartHomeDlg>;
using MmsSettingDlgTest = AccessoryDlgTest<CMmsSettingDlg>;

TEST_F(SmartHomeDlgTest, EachButtonSendsItsCodeAndEveryEndOfTheExchangeIsShown) {
  // A list opening without a selection would send nothing.
  EXPECT_EQ(dialog->SingleList()->currentText(), QStringLiteral("1_CH(01)"));
  EXPECT_EQ(dialog->DoubleList()->currentText(), QStringLiteral("1_CH On(11)"));
  QLineEdit* id = dialog->IdEdit();
  QPushButton *set = dialog->SetIdButton(), *single = dialog->SendSingleButton(),
              *twice = dialog->SendDoubleButton();
  const Lines accepted{"Настройки приняты"};
  const std::string id123456 = "AA 03 20 12 34 56 BF 55", single3 = "AA 01 21 03 25 55",
                    double20 = "AA 01 22 20 43 55";
  // clang-format off
  Press(Host::Answers, {
      {"an empty ID asks for one", id, "", kSet, set, {"Укажите ID!!"}, {}},
      {"five digits are refused as a format error", id, "12345", kSet, set, {"Ошибка формата ввода!!"}, {}},
      {"a seventh digit is cut, the ID sent as typed", id, "1234567", kSet, set, accepted, {id123456}},
      {"a typed letter is kept out, the ID sent", id, "12a3456", kTyped, set, accepted, {id123456}},
      {"the selected channel is sent", id, "", kSet, single, accepted, {single3}},
      {"the selected double code is sent", id, "", kSet, twice, accepted, {double20}},
      {"no single trigger sends and says nothing", dialog->SingleList(), "", kSet, single, {}, {}},
      {"no double trigger sends and says nothing", dialog->DoubleList(), "", kSet, twice, {}, {}},
  });
  Press(Host::Silent, {{"no reply is reported", id, "", kSet, single, {"Ошибка передачи данных!"}, {single3}}});
  Press(Host::Late, {{"a late reply is shown after the error", id, "", kSet, twice, {"Ошибка передачи данных!", accepted[0]},
                      {double20}}});
  for (QPushButton* button : {set, single, twice})
    Press(Host::NotFound, {{"with no host found a button says so and sends nothing", id, "123456", kSet, button,
                            {"3G камера не найдена!!"}, {}}});
  // clang-format on
}

TEST_F(MmsSettingDlgTest, EachButtonSendsItsTextAndEveryEndOfTheExchangeIsShown) {
  EXPECT_EQ(dialog->WapList()->currentText(), QStringLiteral("WAP2.0"));
  EXPECT_EQ(dialog->WapList()->itemText(1), QStringLiteral("WAP1.2"));
  EXPECT_EQ(dialog->PasswordEdit()->echoMode(), QLineEdit::Normal);
  QPushButton *apn = dialog->SetApnButton(), *user = dialog->SetUserButton(), *url = dialog->SetUrlButton();
  QPushButton *gateway = dialog->SetGatewayButton(), *sendTest = dialog->SendTestButton();
  const Lines sent{"Sending Successful"};
  // clang-format off
  Press(Host::Answers, {
      {"spaces around the APN are trimmed", dialog->ApnEdit(), " internet\t", kSet, apn, sent,
       {FrameLine("08 26 69 6E 74 65 72 6E 65 74")}},
      {"Cyrillic is refused as an invalid character", dialog->ApnEdit(), test::kCyrillic, kSet, apn, {"Invalid character!"}, {}},
      {"the password is sent before the user", dialog->UserEdit(), " u ", kSet, user, sent,
       {FrameLine("07 27 22 70 22 2C 22 75 22")}},
      {"the URL field is read and sent", dialog->UrlEdit(), "http://m/", kSet, url, sent,
       {FrameLine("09 29 68 74 74 70 3A 2F 2F 6D 2F")}},
      {"WAP 1.2 is sent with its own flag", dialog->PortEdit(), "80", kSet, gateway, sent,
       {FrameLine("0E 30 30 2C 22 31 2E 32 2E 33 2E 34 22 2C 38 30")}},
      {"no WAP version is sent as 2.0", dialog->WapList(), "", kSet, gateway, sent,
       {FrameLine("0E 30 31 2C 22 31 2E 32 2E 33 2E 34 22 2C 38 30")}},
      {"the test MMS shows no box, its number packed", dialog->PhoneEdit(), "+712345", kSet, sendTest, {},
       {"AA 04 32 B7 12 34 5F 93 55"}},
  });
  Press(Host::Silent, {{"no reply to the test MMS is reported", dialog->PhoneEdit(), "", kSet, sendTest,
                        {"Data sending error!"}, {"AA 01 32 FF 33 55"}}});
  for (QPushButton* button : {apn, user, url, gateway, sendTest})
    Press(Host::NotFound, {{"with no host found a button says so and sends nothing", dialog->ApnEdit(), "internet", kSet, button,
                            {"Do not search the host!!"}, {}}});
  // clang-format on
}

// The test MMS earns no box: the status line says whether the host took it, and that it did not
// answer once the box saying so is closed.
TEST_F(MmsSettingDlgTest, TheTestMmsSaysOnTheStatusLineWhatTheHostDidWithIt) {
  dialog->PhoneEdit()->setText(QStringLiteral("1234"));
  const struct {
    const char* expect;
    hostsim::Faults faults;
    Lines shown;
    const char* status;
  } rows[] = {
      {"an accepted test MMS is said accepted", {}, {}, "Хост принял команду отправить тестовое MMS"},
      {"a refusal is said not confirmed",
       test::ReplyingWith(BuildFrame(test::Hex("01 32 00"))),
       {},
       "Хост ответил, но не подтвердил команду"},
      {"a silent host is still said once its box is closed",
       test::Silent(),
       {"Data sending error!"},
       "Хост не ответил"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    dialog->ShowStatus(QStringLiteral("the last row's answer"));
    host.SetFaults(row.faults);
    messages.Clear();
    host.ClearLog();
    dialog->SendTestButton()->click();
    const QString status = QString::fromUtf8(row.status);
    EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == status; }))
        << dialog->StatusText().toStdString();
    EXPECT_TRUE(messages.WaitFor(row.shown.size()));
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(test::Hexes(host.FramesReceived()), Lines{"AA 03 32 12 34 FF 7B 55"});
  }
}

}  // namespace
}  // namespace veyra

// The settings dialog's pages against the simulated host on a pseudo-terminal: controls filled
// and read back, bytes on the line, what only the pages do. The message each reply earns and which
// texts are refused are the codec tests' business.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "features/settings/CClockPage.h"
#include "features/settings/CPasswordPage.h"
#include "features/settings/CSettingsDlg.h"
#include "features/settings/CSetupPage.h"
#include "hostsim/SettingsState.h"
#include "tests/common/BadInput.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/Keys.h"
#include "tests/common/SlowHost.h"
#include "tests/common/WaitFor.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

using Lines = std::vector<std::string>;
using settings::SetupFlags;
using test::FrameLine;
using test::kSet;
using test::kTyped;

class SettingsDlgTest : public test::DialogFixture<CSettingsDlg> {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    env.SetTimeouts(1, 300);
  }
  CSetupPage* Setup() const { return dialog->SetupPage(); }
  Lines OnTheLine() const { return test::Hexes(host.FramesReceived()); }
  void SetHostSetup(const hostsim::HostSetup& setup) {
    auto lock = host.Lock();
    host.Host().Settings().SetSetup(setup);
  }
  void Show(int page) {
    dialog->Tabs()->setCurrentIndex(page);
    test::DeliverPosted();
  }
};

TEST_F(SettingsDlgTest, ARecordReadFillsEveryControlAndSavesBackAsTheSameBytes) {
  SetHostSetup({0xBB, 0x03, 0x05, 0x1E, 0x0A, 0x01});
  {
    auto lock = host.Lock();
    host.Host().Settings().SetSignal(0x85);
  }
  EXPECT_EQ(Setup()->SignalLabel()->text(), QStringLiteral("Не прочитан")) << "a bare NULL says nothing";
  EXPECT_EQ(Setup()->MmsSizeList()->currentIndex(), -1) << "the lists start without a selection";
  Setup()->GetButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{"AA 00 03 03 55"});
  for (const auto mask : {settings::kIncomingCallPassword, settings::kSirenSound, settings::kArmDisarmSms,
                          settings::kRecordWhenArmed, settings::kRecordOnAlarm})
    EXPECT_TRUE(Setup()->OptionBox(mask)->isChecked()) << int{mask};
  for (const auto mask : {settings::kPowerFailureAlarm, settings::kMirrorImage})
    EXPECT_FALSE(Setup()->OptionBox(mask)->isChecked()) << int{mask};
  EXPECT_EQ(Setup()->NetworkList()->currentText(), QStringLiteral("Автоматически"));
  EXPECT_EQ(Setup()->MmsSizeList()->currentText(), QStringLiteral("320*240"));
  EXPECT_EQ(Setup()->SignalLabel()->text(), QStringLiteral("Слабый (5 из 31), код 5 (3G WCDMA)"))
      << "the signal in words beside its code";

  host.ClearLog();
  Setup()->SaveButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("06 04 BB 03 05 1E 0A 01")});
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), Lines{"Настройки конфигурации приняты!"});

  // Only 3G clears bit 5 and nothing else.
  host.ClearLog();
  Setup()->NetworkList()->setCurrentIndex(1);
  Setup()->SaveButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("06 04 9B 03 05 1E 0A 01")});
}

// A host slower than the window answers both copies of the read and of the write: the write must
// be judged by its own acknowledgement, not by the read's late copy, and reported once.
TEST_F(SettingsDlgTest, AHostSlowerThanTheWindowJudgesAWriteAfterAReadByItsOwnReply) {
  env.SetTimeouts(test::kSlowTimes, test::kSlowWaitMs);
  constexpr std::uint8_t kRead = 0x03, kWrite = 0x04;
  const test::SlowHost rows[] = {
      {"every copy answered late: the write judged by its own reply, accepted once", false},
      {"a repeat answered at once: the write reported accepted once", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    SetHostSetup({0xBB, 0x03, 0x05, 0x1E, 0x0A, 0x01});
    messages.Clear();
    host.SetFaults(test::Slow(row));
    test::LineTally tally(port);
    Setup()->GetButton()->click();
    ASSERT_GE(tally.Sent(kRead), 2) << "the host was not slower than the window";
    Setup()->SirenEdit()->setText("4");
    Setup()->SaveButton()->click();
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(kRead, 1)) << tally.Came(kRead) << " frames";
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(kWrite, 1)) << tally.Came(kWrite) << " frames";
    EXPECT_EQ(messages.Texts(), Lines{"Настройки конфигурации приняты!"});
    auto lock = host.Lock();
    EXPECT_EQ(host.Host().Settings().Setup(), (hostsim::HostSetup{0xBB, 0x04, 0x05, 0x1E, 0x0A, 0x01}));
  }
}

TEST_F(SettingsDlgTest, SavingWithoutARecordReadOnlyReads) {
  const struct {
    const char* expect;
    bool strayReply;  // the read is answered by a frame that holds no record
  } rows[] = {
      {"the first save after opening only reads", false},
      {"after a read answered by a short frame the next save only reads", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    dialog = std::make_unique<CSettingsDlg>();
    dialog->SetCommn(&port);
    dialog->show();
    host.ClearLog();
    if (row.strayReply) {
      host.SetFaults(test::ReplyingWith(test::Hex("AA 01 03 00 04 55")));
      Setup()->GetButton()->click();
      host.SetFaults({});
      host.ClearLog();
    }
    Setup()->SaveButton()->click();
    EXPECT_EQ(OnTheLine(), Lines{"AA 00 03 03 55"});
    EXPECT_EQ(Setup()->ConfigObtained(), 1);
  }
}

TEST_F(SettingsDlgTest, AnUnknownPictureSizeIsKeptUnlessTheUserPicksOne) {
  SetHostSetup({0x20, 0x01, 0x02, 0x03, 0x04, 0x05});
  Setup()->GetButton()->click();
  EXPECT_EQ(Setup()->MmsSizeList()->currentIndex(), -1);
  host.ClearLog();
  Setup()->SaveButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("06 04 20 01 02 03 04 05")})
      << "a newer host's size must survive a save";
  host.ClearLog();
  Setup()->MmsSizeList()->setCurrentIndex(2);
  Setup()->SaveButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("06 04 20 01 02 03 04 02")});
}

// Reset and format ask first and send nothing on a No; without a host no button asks or sends.
TEST_F(SettingsDlgTest, ResetAndFormatAskFirstAndWithoutAHostNothingIsAskedOrSent) {
  QPushButton *reset = Setup()->ResetButton(), *format = Setup()->FormatButton();
  const Lines notFound{"3G камера не найдена!!"};
  const struct {
    const char* expect;
    QPushButton* button;
    bool found, yes;
    Lines line, shown;
  } rows[] = {
      {"a No to reset sends nothing", reset, true, false, {}, {}},
      {"a No to format sends nothing", format, true, false, {}, {}},
      {"reset once confirmed", reset, true, true, {"AA 00 23 23 55"}, {"Сброс выполнен!"}},
      // clang-format off
      {"format once confirmed", format, true, true, {"AA 00 25 25 55"}, {"Форматирование успешно завершено!"}},
      // clang-format on
      {"read without a host", Setup()->GetButton(), false, true, {}, notFound},
      {"save without a host", Setup()->SaveButton(), false, true, {}, notFound},
      {"reset without a host", reset, false, true, {}, notFound},
      {"format without a host", format, false, true, {}, notFound},
      {"password change without a host", dialog->PasswordPage()->SendButton(), false, true, {}, notFound},
      {"clock without a host", dialog->ClockPage()->SyncButton(), false, true, {}, notFound},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    HostFound = row.found;
    host.ClearLog();
    messages.Clear();
    messages.AnswerYes(row.yes);
    row.button->click();
    if (!row.shown.empty()) {
      ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    }
    EXPECT_EQ(messages.Questions().size(), row.found ? 1u : 0u);
    EXPECT_EQ(OnTheLine(), row.line);
    EXPECT_EQ(messages.Texts(), row.shown);
  }
}

// Each field and list of the setup and password pages, the others as the host's record and a
// change of 1234 to 0815 have them: what each field's length and validator let through, what
// reaches the line and what the user sees. Which texts are refused is the codec's table.
TEST_F(SettingsDlgTest, EachFieldAndListRefusesOrSendsExactly) {
  SetHostSetup({0xBB, 0x03, 0x05, 0x1E, 0x0A, 0x01});
  CPasswordPage* password = dialog->PasswordPage();
  Setup()->GetButton()->click();  // the first save only reads
  ASSERT_EQ(Setup()->ConfigObtained(), 1);
  QPushButton *save = Setup()->SaveButton(), *send = password->SendButton();
  QLineEdit *redial = Setup()->RedialEdit(), *fresh = password->NewEdit();
  const std::string saved = "Настройки конфигурации приняты!", changed = "Измененный пароль принят!";
  const auto record = [](const char* bytes) { return FrameLine(std::string("06 04 ") + bytes); };
  const std::string change0815 = FrameLine("04 05 12 34 08 15");
  // clang-format off
  const test::BadInput rows[] = {
      {"blanks in the siren field save 0", Setup()->SirenEdit(), "   ", kSet, save, {saved}, {record("BB 00 05 1E 0A 01")}},
      {"a set siren is cut to two digits, 12 saved", Setup()->SirenEdit(), "123", kSet, save, {saved}, {record("BB 0C 05 1E 0A 01")}},
      {"a 10,000-digit redial count saves 255", redial, test::Many('9'), kSet, save, {saved}, {record("BB 03 FF 1E 0A 01")}},
      {"a 10,000-digit delay is cut to 99", Setup()->ArmDelayEdit(), test::Many('9'), kSet, save, {saved},
       {record("BB 03 05 63 0A 01")}},
      {"a letter typed into a delay is kept out, 42 saved", Setup()->AlarmDelayEdit(), "4x2", kTyped, save, {saved},
       {record("BB 03 05 1E 2A 01")}},
      {"no picture size saves FF", Setup()->MmsSizeList(), "", kSet, save, {saved}, {record("BB 03 05 1E 0A FF")}},
      {"no network mode leaves the record as it was", Setup()->NetworkList(), "", kSet, save, {saved}, {record("BB 03 05 1E 0A 01")}},
      {"an empty current password is refused for its length", password->CurrentEdit(), "", kSet, send,
       {"Длина пароля должна составлять 4 символа!"}, {}},
      {"a fifth digit of the new password is cut", fresh, "08155", kSet, send, {changed}, {change0815}},
      {"a letter typed into the new password is kept out", fresh, "08x15", kTyped, send, {changed}, {change0815}},
      {"an empty confirmation is refused as differing", password->ConfirmEdit(), "", kSet, send, {"Password input varies from!"}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    Setup()->SirenEdit()->setText("3");
    redial->setText("5");
    Setup()->ArmDelayEdit()->setText("30");
    Setup()->AlarmDelayEdit()->setText("10");
    Setup()->MmsSizeList()->setCurrentIndex(1);
    Setup()->NetworkList()->setCurrentIndex(0);
    password->CurrentEdit()->setText("1234");
    fresh->setText("0815");
    password->ConfirmEdit()->setText("0815");
    {
      auto lock = host.Lock();
      host.Host().SetPassword("1234");
    }
    test::ShowPageOf(dialog->Tabs(), row.button);
    test::Press(row, messages, host);
  }
}

// The shown time follows the clock while the page is in front; the press sends the time it is
// pressed at, whatever the field last showed.
TEST_F(SettingsDlgTest, ClockPageTicksWhileInFrontAndSendsTheTimeAtThePress) {
  CClockPage* page = dialog->ClockPage();
  settings::LocalTime now{2016, 2, 29, 1, 23, 59, 58};  // a Monday, leap day
  page->SetClock([&now] { return now; });
  Show(2);
  ASSERT_EQ(port.Owner(), static_cast<HostLink*>(&page->Link())) << "the page in front holds the port";
  EXPECT_EQ(page->TimeField()->text(), QStringLiteral("2016-02-29 23:59:58 Понедельник"));
  now = {2016, 2, 29, 1, 23, 59, 59};
  EXPECT_TRUE(test::WaitFor([&] { return page->TimeField()->text() == "2016-02-29 23:59:59 Понедельник"; }))
      << "the time stood still at the moment the page came to the front";

  // No tick between the change and the press: the field still shows the leap day.
  now = {2017, 1, 1, 0, 0, 0, 0};  // a Sunday, New Year's midnight
  page->SyncButton()->click();
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("08 06 20 17 01 01 00 00 00 07")})
      << "the field's time sent, not the time at the press";
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), Lines{"Время успешно синхронизировано!"});

  Show(0);
  ASSERT_EQ(port.Owner(), static_cast<HostLink*>(&Setup()->Link()));
  EXPECT_FALSE(page->Ticking()) << "a hidden page still reads the clock";
  Show(2);
  EXPECT_TRUE(page->Ticking());
  EXPECT_EQ(page->TimeField()->text(), QStringLiteral("2017-01-01 00:00:00 Воскресенье"));
}

// The host's password is typed with the owner looking on: masked, shown only on request.
TEST_F(SettingsDlgTest, PasswordsAreMaskedUntilTheUserAsksToSeeThem) {
  CPasswordPage* page = dialog->PasswordPage();
  const std::vector<QLineEdit*> fields{page->CurrentEdit(), page->NewEdit(), page->ConfirmEdit()};
  for (QLineEdit* field : fields) EXPECT_EQ(field->echoMode(), QLineEdit::Password) << "shown in clear text";
  EXPECT_FALSE(page->ShowToggle()->isChecked());
  EXPECT_EQ(page->ShowToggle()->text(), QStringLiteral("Показать пароли"));
  page->ShowToggle()->setChecked(true);
  for (QLineEdit* field : fields)
    EXPECT_EQ(field->echoMode(), QLineEdit::Normal) << "the toggle shows nothing";
  page->ShowToggle()->setChecked(false);
  for (QLineEdit* field : fields) EXPECT_EQ(field->echoMode(), QLineEdit::Password) << "stays shown";
  // Masked fields still take their digits and only digits.
  page->CurrentEdit()->clear();
  test::KeyClicks(page->CurrentEdit(), QStringLiteral("12a345"));
  EXPECT_EQ(page->CurrentEdit()->text(), QStringLiteral("1234"));
}

// Reported once: a wrong current password, all three fields four digits, gave the length text.
// With four digits in every field the host judges, and a wrong current password is called wrong;
// only four zeros, which the page itself refuses, give the length text, and then say why.
TEST_F(SettingsDlgTest, AWrongCurrentPasswordOfFourDigitsIsCalledWrongNotTooShort) {
  CPasswordPage* page = dialog->PasswordPage();
  test::ShowPageOf(dialog->Tabs(), page->SendButton());
  const std::string wrong = "Неверный пароль!", length = "Длина пароля должна составлять 4 символа!";
  const std::string zeroDetail =
      "Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.";
  const struct {
    const char* expect;
    const char *current, *fresh;
    Lines shown;
    std::string detail;
    Lines line;
  } rows[] = {
      {"a wrong current password is sent and called wrong",
       "1111",
       "5678",
       {wrong},
       "",
       {FrameLine("04 05 11 11 56 78")}},
      {"a leading zero is kept and the password called wrong",
       "0123",
       "5678",
       {wrong},
       "",
       {FrameLine("04 05 01 23 56 78")}},
      {"a wrong current password of nines is called wrong",
       "9999",
       "0001",
       {wrong},
       "",
       {FrameLine("04 05 99 99 00 01")}},
      {"the current password is judged, not the new",
       "4321",
       "1234",
       {wrong},
       "",
       {FrameLine("04 05 43 21 12 34")}},
      {"four zeros are refused with the reason", "0000", "5678", {length}, zeroDetail, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    for (QLineEdit* field : {page->CurrentEdit(), page->NewEdit(), page->ConfirmEdit()}) field->clear();
    test::KeyClicks(page->CurrentEdit(), QString::fromUtf8(row.current));
    test::KeyClicks(page->NewEdit(), QString::fromUtf8(row.fresh));
    test::KeyClicks(page->ConfirmEdit(), QString::fromUtf8(row.fresh));
    messages.Clear();
    host.ClearLog();
    page->SendButton()->click();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    test::DeliverPosted();
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(messages.Messages().front().detail, row.detail);
    EXPECT_EQ(OnTheLine(), row.line);
    const auto lock = host.Lock();
    EXPECT_EQ(host.Host().Password(), "1234") << "a wrong current password changed the host's";
  }
}

}  // namespace
}  // namespace veyra

// The main window's tiles and what they open, its login box, and its traffic log.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/CPortCombo.h"
#include "hostsim/InProcessHost.h"
#include "link/ComPorts.h"
#include "link/HostPort.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/common/BadInput.h"
#include "tests/common/MainWindowParts.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/WaitFor.h"
#include "ui/CPictureButton.h"

namespace veyra {
namespace {

using test::DeliverPosted;
using test::kLogin1234;
using test::MainWindowTest;
using test::WaitFor;

// Each tile's dialog owns the port while open and hands it back; the upgrade tile refuses and sends
// nothing on the open port, and the system menu's last entry opens the About box.
TEST_F(MainWindowTest, TileHandsThePortToItsDialogAndTakesItBack) {
  const struct {
    const char* tile;
    const char* dialogClass;  // empty: none opens
  } rows[] = {
      {"Установка режимов", "COperateHostDlg"},
      {"Журнал тревог", "CAlarmHistoryDlg"},
      {"Расписания", "CTimedArmDlg"},
      {"Настройки телефонных номеров", "CAlarmPhoneDlg"},
      {"Настройки системы", "CSettingsDlg"},
      {"Настройки датчиков", "CSensorsDlg"},
      {"MMS Setting", "CMmsSettingDlg"},
      {"Умный дом", "CSmartHomeDlg"},
      {"Обновление", ""},
  };
  CMainDlg& w = Window();
  Select("COM3");
  Parts(w).OpenCloseButton()->click();
  HostLink* ownerWhileOpen = nullptr;
  QString shownClass;
  w.SetDialogRunner([&](CDialogBase& dialog) {
    shownClass = QString::fromLatin1(dialog.metaObject()->className());
    ownerWhileOpen = port.Owner();
  });
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tile);
    shownClass.clear();
    ownerWhileOpen = nullptr;
    Parts(w).TileButton(QString::fromUtf8(row.tile))->click();
    EXPECT_EQ(shownClass, QString::fromLatin1(row.dialogClass));
    if (*row.dialogClass) {
      EXPECT_NE(ownerWhileOpen, nullptr);
      EXPECT_NE(ownerWhileOpen, static_cast<HostLink*>(&Parts(w).Link()))
          << "the dialog must own the port while open";
    }
    EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&Parts(w).Link())) << "replies go back to the main window";
  }
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Извините, у вас нет полномочий для обновления системы!"});
  EXPECT_TRUE(host.FramesReceived().empty());
  QAction* about = w.SystemMenu()->actions().back();
  EXPECT_EQ(about->text(), QStringLiteral("About Norvane(&A)..."));
  about->trigger();
  EXPECT_EQ(shownClass, QStringLiteral("CAboutDlg"));
}

// The login box takes exactly four digits, as veyractl does: what cannot be typed is not taken, and
// a press of OK with fewer digits says so and searches nothing.
TEST_F(MainWindowTest, TheLoginBoxTakesFourDigitsAndRefusesAnythingElseWithoutSearching) {
  std::filesystem::remove(env.Dir() + "/ports/COM1");
  CLoginDlg login;
  // As the real prompt: the password when the box closed with OK, else nothing.
  CMainDlg& w = Window(1234, [&login](CMainDlg& prepared) {
    prepared.SetPasswordPrompt([&login]() -> std::optional<int> {
      login.setResult(QDialog::Rejected);
      login.OkButton()->click();
      if (login.result() != QDialog::Accepted) return std::nullopt;
      return login.Password();
    });
  });
  QLineEdit* field = login.Field();
  EXPECT_EQ(field->echoMode(), QLineEdit::Password) << "the password shown as typed";
  QPushButton* search = Parts(w).SearchButton();
  const std::string wrong = "Неверный пароль!!";
  const std::string accepted = "AA 02 01 12 34 49 55";
  const QString hint = QStringLiteral("Введите пароль из четырёх цифр");
  using test::kSet, test::kTyped, test::kPasted;
  const struct {
    test::BadInput input;
    bool refused;  // the box stays open with the hint
  } rows[] = {
      // clang-format off
      {{"an empty field is refused with the hint", field, "", kSet, search, {}, {}}, true},
      {{"three digits are refused with the hint", field, "123", kTyped, search, {}, {}}, true},
      {{"typed letters are kept out and the rest refused", field, "12ab", kTyped, search, {}, {}}, true},
      {{"pasted Cyrillic is kept out and the field refused", field, test::kCyrillic, kPasted, search, {}, {}}, true},
      {{"a paste with blanks around the password is refused", field, " 1234 ", kPasted, search, {}, {}}, true},
      {{"a fifth typed digit is cut and 1234 sent", field, "12345", kTyped, search, {}, {accepted}}, false},
      // Cut to the field's four digits, as every digit field of the program cuts a paste.
      {{"a 10,000-digit paste is cut to four digits and sent", field, test::Many('1'), kPasted, search, {wrong},
        {test::FrameLine("02 01 11 11")}}, false},
      {{"four digits are sent", field, "1234", kTyped, search, {}, {accepted}}, false},
      {{"a wrong four-digit password is sent", field, "4321", kTyped, search, {wrong},
        {test::FrameLine("02 01 43 21")}}, false},
      // clang-format on
  };
  for (const auto& row : rows) {
    login.ShowStatus(QString());
    test::Press(row.input, messages, host);
    EXPECT_EQ(login.StatusText(), row.refused ? hint : QString()) << row.input.expect;
  }
}

// The system menu's check item appends each exchange's trace lines, as --trace writes them, to a
// file asked for once; unchecked it leaves the file alone, and the next start logs at once.
TEST_F(MainWindowTest, TrafficLogItemAppendsEachExchangesTraceLinesToTheFileChosenOnce) {
  const std::string path = env.Dir() + "/traffic.log";
  int asked = 0;
  const auto answer = [&](CMainDlg& w) {
    Parts(w).TrafficLog().SetFileChooser([&] {
      ++asked;
      return QString::fromStdString(path);
    });
  };
  const auto lines = [&path] {
    std::ifstream in(path);
    std::vector<std::string> read;
    for (std::string line; std::getline(in, line);) read.push_back(line);
    return read;
  };
  const auto logIn = [this] {  // one login on COM3, the port closed again for the next
    Select("COM3");
    Parts(*window).SearchButton()->click();
    DeliverPosted();
    ASSERT_EQ(Parts(*window).LoginAccepted(), 1);
    Parts(*window).OpenCloseButton()->click();
  };
  QAction* item = Parts(Window(1234, answer)).TrafficLog().Action();
  ASSERT_TRUE(window->SystemMenu()->actions().contains(item));
  EXPECT_EQ(item->text(), QStringLiteral("Записывать обмен в файл…"));
  ASSERT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(asked, 1);
  logIn();
  // Every line as --trace writes it; the login went out and its answer came back.
  const std::vector<std::string> first = lines();
  const std::regex traceLine(R"(\d\d:\d\d:\d\d\.\d{3} [<>] AA( [0-9A-F]{2})+)");
  for (const std::string& line : first) EXPECT_TRUE(std::regex_match(line, traceLine)) << line;
  const auto logged = [&](const std::string& tail) {
    return std::any_of(first.begin(), first.end(),
                       [&](const std::string& line) { return line.ends_with(tail); });
  };
  EXPECT_TRUE(logged("> AA 02 01 12 34 49 55")) << testing::PrintToString(first);
  EXPECT_TRUE(logged("< AA 01 01 01 03 55")) << testing::PrintToString(first);

  item->trigger();  // off: the next exchange leaves the file alone
  logIn();
  EXPECT_EQ(lines(), first);

  item->trigger();  // on again: the same file, appended to, no question
  EXPECT_EQ(asked, 1);
  window.reset();
  EXPECT_TRUE(Parts(Window(1234, answer)).TrafficLog().Action()->isChecked());
  logIn();
  EXPECT_GT(lines().size(), first.size() + 1);
  EXPECT_EQ(lines().front(), first.front()) << "appended to, not overwritten";
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "app/CMainDlg.h"
#include "app/CPortCombo.h"
#include "hostsim/PtyHost.h"
#include "link/HostPort.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/WaitFor.h"
#include "ui/CPictureButton.h"

namespace veyra {
namespace {

using test::DeliverPosted;
using test::WaitFor;

const Bytes kLogin1234{0xAA, 0x02, 0x01, 0x12, 0x34, 0x49, 0x55};

class MainWindowTest : public test::SearchHostsFixture {
 protected:
  void SetUp() override {
    env.SetTimeouts(1, 250);
    SearchHostsFixture::SetUp();
  }
  void TearDown() override {
    window.reset();
    port.Close();
  }
  CMainDlg& Window(std::optional<int> password = 1234) {
    window = std::make_unique<CMainDlg>(port);
    window->SetPasswordPrompt([password] { return password; });
    window->SetSearchPauses(10, 50);
    window->show();
    DeliverPosted();
    return *window;
  }
  void Select(const QString& text) {
    window->PortList()->setCurrentIndex(window->PortList()->findText(text));
  }

  test::RecordingNotifier messages;
  HostPort port;
  std::unique_ptr<CMainDlg> window;
};

TEST_F(MainWindowTest, AutoSearchPassesASilentPortAndLogsInOnTheHost) {
  CMainDlg& w = Window();
  ASSERT_EQ(w.PortList()->count(), 3);
  EXPECT_EQ(w.PortList()->itemText(0), QStringLiteral("Авто"));
  w.SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(w.LoginAccepted(), 1);
  EXPECT_EQ(HostFound.load(), 1);
  EXPECT_EQ(silent.FramesReceived(), std::vector<Bytes>{kLogin1234}) << "COM1 is tried first";
  EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kLogin1234});
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("COM3 Successful to find main host!"));
  EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
  EXPECT_TRUE(w.ConnectedPictureShown());
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(w.Link().GetPortNumber(), 3);
}

TEST_F(MainWindowTest, WrongPasswordClosesThePortAndSaysSo) {
  CMainDlg& w = Window(1111);
  Select("COM3");
  w.SearchButton()->click();  // the search re-reads the ports and so runs over all of them
  EXPECT_EQ(silent.FramesReceived().size(), 1u);
  ASSERT_TRUE(messages.WaitFor(1));
  DeliverPosted();
  EXPECT_EQ(messages.Messages().at(0), (Message{"Неверный пароль!!", "", true, Icon::None}));
  EXPECT_EQ(HostFound.load(), 0);
  EXPECT_TRUE(WaitFor([&] { return !w.Link().IsPortOpen(); }));
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("COM3 3G-камера не найдена!"));
  EXPECT_FALSE(w.ConnectedPictureShown());
}

TEST_F(MainWindowTest, ClosingThePasswordWindowCancelsTheSearch) {
  CMainDlg& w = Window(std::nullopt);
  w.SearchButton()->click();
  DeliverPosted();
  EXPECT_TRUE(host.FramesReceived().empty());
  EXPECT_TRUE(silent.FramesReceived().empty());
  EXPECT_EQ(w.Link().IsPortOpen(), 0);
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("Поиск статус"));
}

TEST_F(MainWindowTest, SearchThatFindsNothingLeavesNoPortHeld) {
  std::filesystem::remove(env.Dir() + "/ports/COM3");
  CMainDlg& w = Window();
  w.SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 0);
  EXPECT_EQ(w.Link().IsPortOpen(), 0)
      << "the button reads 'Открыть COM-порт', so the port must not stay open";
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("COM1 3G-камера не найдена!"));
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
}

TEST_F(MainWindowTest, StrayFrameAfterTheSearchIsNoVerdict) {
  CMainDlg& w = Window();
  w.SearchButton()->click();
  ASSERT_EQ(HostFound.load(), 1);
  std::atomic<int> recognised{0};
  port.SetTrace([&](bool sent, const Bytes&) { recognised += sent ? 0 : 1; });
  // A late record from a closed dialog, whose byte 3 happens to be 00.
  host.Inject(BuildFrame({0x06, 0x02, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05}));
  host.Inject(BuildFrame({0x01, 0x01, 0x00}));
  ASSERT_TRUE(WaitFor([&] { return recognised == 2; }));
  port.AwaitDelivery();
  DeliverPosted();
  port.SetTrace({});
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(w.Link().IsPortOpen(), 1);
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
}

TEST_F(MainWindowTest, OpenCloseButtonOpensWithoutLogin) {
  CMainDlg& w = Window();
  w.OpenCloseButton()->click();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Пожалуйста, выберите COM-порт!"});
  Select("COM3");
  w.OpenCloseButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 1);
  EXPECT_EQ(w.Link().IsPortOpen(), 1);
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
  EXPECT_TRUE(host.FramesReceived().empty()) << "no login is sent";
  w.OpenCloseButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 0);
  EXPECT_EQ(w.Link().IsPortOpen(), 0);
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("Поиск статус"));
}

TEST_F(MainWindowTest, PortListIsReadAgainWhenOpened) {
  CMainDlg& w = Window();
  Select("COM3");
  hostsim::PtyHost plugged;
  ASSERT_TRUE(plugged.Start());
  env.MapPort(12, plugged.DevicePath());
  w.PortList()->showPopup();
  w.PortList()->hidePopup();
  EXPECT_NE(w.PortList()->findText("COM12"), -1);
  EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM3")) << "the choice survives the refresh";
}

// The next start offers the port that last logged in, and puts the window where it stood; a port
// that has gone leaves "Авто". Every entry keeps its bare name and says what the port is.
TEST_F(MainWindowTest, NextStartRemembersTheLoginPortAndThePlace) {
  CMainDlg& first = Window();
  EXPECT_EQ(first.PortList()->currentText(), QStringLiteral("Авто"));
  first.move(123, 77);
  first.SearchButton()->click();
  DeliverPosted();
  ASSERT_EQ(first.LoginAccepted(), 1);
  const QString device = QString::fromStdString(host.DevicePath());
  const int com3 = first.PortList()->findText("COM3");
  EXPECT_EQ(first.PortList()->itemData(com3).toString(), QStringLiteral("COM3"));
  EXPECT_EQ(first.PortList()->itemData(com3, Qt::ToolTipRole).toString(), device);
  window.reset();
  EXPECT_TRUE(std::filesystem::exists(env.Dir() + "/xdg/veyra-setup/veyra-setup.conf"));

  CMainDlg& second = Window();
  EXPECT_EQ(second.PortList()->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(second.PortList()->toolTip(), device);
  EXPECT_EQ(second.pos(), QPoint(123, 77));
  EXPECT_EQ(host.FramesReceived().size(), 1u) << "a start sends nothing";
  window.reset();

  std::filesystem::remove(env.Dir() + "/ports/COM3");
  EXPECT_EQ(Window().PortList()->currentText(), QStringLiteral("Авто"));
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MainWindowTest, NoPortsWithAutoSaysSo) {
  std::filesystem::remove(env.Dir() + "/ports/COM1");
  std::filesystem::remove(env.Dir() + "/ports/COM3");
  CMainDlg& w = Window();
  w.SearchButton()->click();
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages().at(0),
            (Message{"Your computer can't find COM!", "Remind", false, Icon::None}));
  EXPECT_EQ(HostFound.load(), 0);
}

TEST_F(MainWindowTest, UpgradeTileRefusesAndSendsNothing) {
  CMainDlg& w = Window();
  Select("COM3");
  w.OpenCloseButton()->click();
  w.TileButton(QStringLiteral("Обновление"))->click();
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Извините, у вас нет полномочий для обновления системы!"});
  EXPECT_TRUE(host.FramesReceived().empty());
}

TEST_F(MainWindowTest, StartUpWritesTheDefaultConfigAndReadsTooltips) {
  struct Row {
    const char* fault;
    std::optional<std::string> config;  // nullopt: no file
    QString historyTooltip;
    std::vector<std::string> shown;
    bool defaultWritten;
  };
  const Row rows[] = {
      {"a missing file not written with the default text", std::nullopt, "Check alarm history", {}, true},
      {"an empty file rewritten, or its tooltips made up", std::string(), "", {}, false},
      {"a partial file's tooltip lost", std::string("[main]\nm_lsjl=Журнал\n"), "Журнал", {}, false},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(env.ConfigPath());
    if (row.config) env.WriteConfig(*row.config);
    messages.Clear();
    CMainDlg& w = Window();
    EXPECT_EQ(w.TileButton(QStringLiteral("Журнал тревог"))->toolTip(), row.historyTooltip) << row.fault;
    EXPECT_EQ(w.TileButton(QStringLiteral("MMS Setting"))->toolTip(), QStringLiteral("MMS Set")) << row.fault;
    EXPECT_EQ(messages.Texts(), row.shown) << row.fault;
    std::ifstream in(env.ConfigPath(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text == DefaultConfigText(), row.defaultWritten) << row.fault;
    window.reset();
  }
}

TEST_F(MainWindowTest, UnreadableConfigIsReportedAndTheWindowStillWorks) {
  std::filesystem::remove(env.ConfigPath());
  std::filesystem::create_directory(env.ConfigPath());
  CMainDlg& w = Window();
  const auto shown = messages.Messages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], (Message{"Please Copy to Harddisk Run!", "", true, Icon::None}));
  EXPECT_EQ(shown[1], (Message{"Loading config.ini Failure!！\n", "Failure!", false, Icon::None}));
  EXPECT_EQ(w.TileButton(QStringLiteral("Обновление"))->toolTip(), QString());
  EXPECT_EQ(w.PortList()->count(), 3);
}

TEST_F(MainWindowTest, TileHandsThePortToItsDialogAndTakesItBack) {
  struct Row {
    const char* tile;
    const char* dialogClass;
  };
  const Row rows[] = {
      {"Установка режимов", "COperateHostDlg"}, {"Журнал тревог", "CAlarmHistoryDlg"},
      {"Расписания", "CTimedArmDlg"},           {"Настройки телефонных номеров", "CAlarmPhoneDlg"},
      {"Настройки системы", "CSettingsDlg"},    {"Настройки датчиков", "CSensorsDlg"},
      {"MMS Setting", "CMmsSettingDlg"},        {"Умный дом", "CSmartHomeDlg"},
  };
  CMainDlg& w = Window();
  for (const Row& row : rows) {
    HostLink* ownerWhileOpen = nullptr;
    QString shownClass;
    w.SetDialogRunner([&](CDialogBase& dialog) {
      shownClass = QString::fromLatin1(dialog.metaObject()->className());
      ownerWhileOpen = port.Owner();
    });
    w.TileButton(QString::fromUtf8(row.tile))->click();
    EXPECT_EQ(shownClass, QString::fromLatin1(row.dialogClass));
    EXPECT_NE(ownerWhileOpen, nullptr);
    EXPECT_NE(ownerWhileOpen, static_cast<HostLink*>(&w.Link()))
        << row.dialogClass << " must own the port while open";
    EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&w.Link()))
        << "replies go back to the main window after " << row.dialogClass;
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MainWindowTest, SystemMenuCarriesTheAboutEntry) {
  CMainDlg& w = Window();
  const auto actions = w.SystemMenu()->actions();
  ASSERT_GE(actions.size(), 2);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(actions.back()->text(), QStringLiteral("About Norvane(&A)..."));
  QString shown;
  w.SetDialogRunner(
      [&](CDialogBase& dialog) { shown = QString::fromLatin1(dialog.metaObject()->className()); });
  actions.back()->trigger();
  EXPECT_EQ(shown, QStringLiteral("CAboutDlg"));
}

}  // namespace
}  // namespace veyra

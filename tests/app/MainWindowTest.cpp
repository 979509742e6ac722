// The main window's search, its port list and open button, and what it remembers and reads at start.
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

// Rows run in order on one pair of hosts, each with a window of its own; links taken away stay away.
TEST_F(MainWindowTest, SearchLogsInOnTheFirstHostThatAnswersOrSaysWhyNot) {
  const Bytes kLogin1111 = BuildFrame({0x02, 0x01, 0x11, 0x11});
  const struct {
    const char* expect;
    std::vector<const char*> removed;  // port links taken away first
    std::optional<int> password;       // nullopt: the password window closed
    const char* chosen;
    std::vector<Message> shown;
    const char* status;
    int found;  // HostFound, the login accepted and the port held open afterwards
    std::vector<Bytes> toSilent, toHost;
  } rows[] = {
      // clang-format off
      {"auto tries the silent COM1 first and finds the host on COM3", {}, 1234, "Авто", {},
       "COM3 Successful to find main host!", 1, {kLogin1234}, {kLogin1234}},
      // The search re-reads the ports and so runs over all of them.
      {"a wrong password closes the port and the status line says so", {}, 1111, "COM3",
       {{"Неверный пароль!!", "", true, Icon::None}}, "COM3: неверный пароль, вход не выполнен", 0, {kLogin1111},
       {kLogin1111}},
      {"closing the password window searches nothing", {}, std::nullopt, "Авто", {}, "Поиск статус", 0, {}, {}},
      {"a search that finds nothing holds no port", {"COM3"}, 1234, "Авто", {}, "COM1 3G-камера не найдена!", 0,
       {kLogin1234}, {}},
      {"no ports with Авто is said", {"COM1"}, 1234, "Авто",
       {{"Your computer can't find COM!", "Remind", false, Icon::None}}, "Поиск статус", 0, {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    for (const char* name : row.removed) RemovePort(name);
    window.reset();
    port.Close();
    HostFound = 0;
    messages.Clear();
    silent.ClearLog();
    host.ClearLog();
    CMainDlg& w = Window(row.password);
    EXPECT_EQ(Parts(w).PortList()->itemText(0), QStringLiteral("Авто"));
    Select(QString::fromUtf8(row.chosen));
    Parts(w).SearchButton()->click();
    DeliverPosted();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    DeliverPosted();
    EXPECT_EQ(messages.Messages(), row.shown);
    EXPECT_EQ(HostFound.load(), row.found);
    EXPECT_EQ(Parts(w).LoginAccepted(), row.found);
    EXPECT_TRUE(WaitFor([&] { return Parts(w).Link().IsPortOpen() == row.found; }));
    EXPECT_EQ(Parts(w).StatusLine()->text(), QString::fromUtf8(row.status));
    EXPECT_EQ(Parts(w).OpenCloseButton()->text(),
              row.found ? QStringLiteral("Закрыть COM-порт") : QStringLiteral("Открыть COM-порт"));
    EXPECT_EQ(Parts(w).ConnectedPictureShown(), row.found == 1);
    EXPECT_EQ(silent.FramesReceived(), row.toSilent);
    EXPECT_EQ(host.FramesReceived(), row.toHost);
    if (row.found) {
      EXPECT_EQ(Parts(w).PortList()->currentText(), QStringLiteral("COM3"));
      EXPECT_EQ(Parts(w).Link().GetPortNumber(), 3);
    }
  }
}

// What a search returns is its verdict: the main window's own search and a script driving the window
// read the same answer from it.
TEST_F(MainWindowTest, SearchHostReturnsWhetherTheHostTookThePassword) {
  const struct {
    const char* expect;
    int password;
    int accepted;
  } rows[] = {
      {"a search that logged in returns a login", 1234, 1},
      {"a refused password returns no login", 1111, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    window.reset();
    port.Close();
    messages.Clear();
    CMainDlg& w = Window(row.password);
    Select(QStringLiteral("COM3"));
    Parts(w).SearchButton()->click();  // takes the password
    DeliverPosted();
    EXPECT_EQ(w.SearchHost(), row.accepted);
    EXPECT_EQ(Parts(w).LoginAccepted(), row.accepted);
    DeliverPosted();
  }
  HostFound = 0;
}

// The demo host (an in-process device) is a port like the others: listed under the lowest free
// number with what it is, and reached by "Авто" in its turn.
TEST_F(MainWindowTest, TheDemoHostIsListedAndFoundLikeAPort) {
  hostsim::InProcessHost demo("1234");
  ASSERT_TRUE(demo.Start("demo", "Демо-хост"));
  ASSERT_EQ(demo.ComNumber(), 2) << "COM1 and COM3 are taken";
  CMainDlg& w = Window();
  const int index = Parts(w).PortList()->findText(QStringLiteral("COM2"));
  ASSERT_GE(index, 0) << "the demo host is not in the port list";
  EXPECT_EQ(Parts(w).PortList()->itemData(index, Qt::ToolTipRole).toString(), QStringLiteral("Демо-хост"));
  Parts(w).SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 1);
  EXPECT_EQ(Parts(w).StatusLine()->text(), QStringLiteral("COM2 Successful to find main host!"));
  EXPECT_EQ(Parts(w).PortList()->currentText(), QStringLiteral("COM2"));
  EXPECT_EQ(silent.FramesReceived(), std::vector<Bytes>{kLogin1234});
  EXPECT_TRUE(host.FramesReceived().empty()) << "the search went on past the demo host";
  EXPECT_TRUE(messages.Messages().empty());
  // The program lets go of the device before the demo host goes, as at the program's end.
  window.reset();
  port.Close();
}

TEST_F(MainWindowTest, StrayFrameAfterTheSearchIsNoVerdict) {
  CMainDlg& w = Window();
  Parts(w).SearchButton()->click();
  ASSERT_EQ(HostFound.load(), 1);
  std::atomic<int> recognised{0};
  port.SetTrace([&](TraceKind kind, const Bytes&) { recognised += kind == TraceKind::Received ? 1 : 0; });
  // A late record from a closed dialog, whose byte 3 happens to be 00.
  host.Inject(BuildFrame({0x06, 0x02, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05}));
  host.Inject(BuildFrame({0x01, 0x01, 0x00}));
  ASSERT_TRUE(WaitFor([&] { return recognised == 2; }));
  port.AwaitDelivery();
  DeliverPosted();
  port.SetTrace({});
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(Parts(w).Link().IsPortOpen(), 1);
  EXPECT_EQ(Parts(w).OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
}

TEST_F(MainWindowTest, OpenCloseButtonOpensWithoutLogin) {
  CMainDlg& w = Window();
  Parts(w).OpenCloseButton()->click();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Пожалуйста, выберите COM-порт!"});
  Select("COM3");
  Parts(w).OpenCloseButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 1);
  EXPECT_EQ(Parts(w).Link().IsPortOpen(), 1);
  EXPECT_EQ(Parts(w).OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
  EXPECT_EQ(Parts(w).StatusLine()->text(), QStringLiteral("Порт COM3 открыт, вход не выполнялся"))
      << "an open port still said to be searched for, or a login claimed";
  EXPECT_TRUE(host.FramesReceived().empty()) << "no login is sent";
  Parts(w).OpenCloseButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 0);
  EXPECT_EQ(Parts(w).Link().IsPortOpen(), 0);
  EXPECT_EQ(Parts(w).OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
  EXPECT_EQ(Parts(w).StatusLine()->text(), QStringLiteral("Порт COM3 закрыт"))
      << "a closed port said to be open";
  EXPECT_FALSE(Parts(w).StatusLine()->isHidden()) << "the window shows the search's status line";
  EXPECT_FALSE(w.IsStatusLineShown()) << "a second status line under the tiles";
}

// After a search that was called off the port list shows the port that is open, not "Авто", and
// a line lost while the main window holds the port is said on its status line.
TEST_F(MainWindowTest, ACancelledSearchKeepsTheOpenPortListedAndALostLineIsSaid) {
  CMainDlg& w = Window(std::nullopt);
  Select("COM3");
  Parts(w).OpenCloseButton()->click();
  DeliverPosted();
  ASSERT_EQ(Parts(w).Link().IsPortOpen(), 1);
  Parts(w).SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(Parts(w).PortList()->currentText(), QStringLiteral("COM3"))
      << "the list shows Авто while COM3 is open";
  EXPECT_EQ(Parts(w).Link().IsPortOpen(), 1);
  EXPECT_TRUE(host.FramesReceived().empty()) << "a cancelled search sent a login";

  w.SetPasswordPrompt([] { return 1234; });
  hostsim::Faults unplug;
  unplug.hangUpAfterBytes = 3;
  host.SetFaults(unplug);
  Parts(w).SearchButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_TRUE(WaitFor([&] {
    return Parts(w).StatusLine()->text() == QStringLiteral("Связь с хостом потеряна!");
  })) << Parts(w).StatusLine()->text().toStdString();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kLineLostText});
  EXPECT_EQ(Parts(w).OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
  EXPECT_FALSE(Parts(w).ConnectedPictureShown());
}

// The next start offers the port that last logged in, and puts the window where it stood; a port
// that has gone leaves "Авто". Every entry keeps its bare name and says what the port is.
TEST_F(MainWindowTest, NextStartRemembersTheLoginPortAndThePlace) {
  CMainDlg& first = Window();
  EXPECT_EQ(Parts(first).PortList()->currentText(), QStringLiteral("Авто"));
  first.move(123, 77);
  Parts(first).SearchButton()->click();
  DeliverPosted();
  ASSERT_EQ(Parts(first).LoginAccepted(), 1);
  // What the port is, as the port list describes it: the device a link names, or the host.
  QString device;
  for (const ComPort& listed : ListComPorts().value_or(std::vector<ComPort>{}))
    if (listed.number == 3) device = QString::fromStdString(listed.description);
  ASSERT_FALSE(device.isEmpty());
  const int com3 = Parts(first).PortList()->findText("COM3");
  EXPECT_EQ(Parts(first).PortList()->itemData(com3).toString(), QStringLiteral("COM3"));
  EXPECT_EQ(Parts(first).PortList()->itemData(com3, Qt::ToolTipRole).toString(), device);
  window.reset();
  EXPECT_TRUE(std::filesystem::exists(env.Dir() + "/xdg/veyra-setup/veyra-setup.conf"));

  CMainDlg& second = Window();
  EXPECT_EQ(Parts(second).PortList()->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(Parts(second).PortList()->toolTip(), device);
  EXPECT_EQ(second.pos(), QPoint(123, 77));
  EXPECT_EQ(host.FramesReceived().size(), 1u) << "a start sends nothing";
  test::TestHost plugged;  // the list is read again when opened, and the choice survives that
  ASSERT_TRUE(plugged.Start());
  env.MapPort(12, plugged.DevicePath());
  Parts(second).PortList()->showPopup();
  Parts(second).PortList()->hidePopup();
  EXPECT_NE(Parts(second).PortList()->findText("COM12"), -1);
  EXPECT_EQ(Parts(second).PortList()->currentText(), QStringLiteral("COM3"));
  window.reset();

  RemovePort("COM3");
  EXPECT_EQ(Parts(Window()).PortList()->currentText(), QStringLiteral("Авто"));
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MainWindowTest, StartUpWritesTheDefaultConfigAndReadsTooltips) {
  const struct {
    const char* expect;
    std::optional<std::string> config;  // nullopt: no file
    QString historyTooltip;
    std::vector<Message> shown;
    bool defaultWritten, directory = false;  // a directory where config.ini should be
  } rows[] = {
      // clang-format off
      {"a missing file is written with the default text", std::nullopt, "Check alarm history", {}, true},
      {"an empty file is kept and gives no tooltips", std::string(), "", {}, false},
      {"a partial file's tooltip is read", std::string("[main]\nm_lsjl=Журнал\n"), "Журнал", {}, false},
      {"an unreadable file is said and the window still opens", std::nullopt, "",
       {{"Please Copy to Harddisk Run!", "", true, Icon::None},
        {"Loading config.ini Failure!！\n", "Failure!", false, Icon::None}}, false, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::filesystem::remove(env.ConfigPath());
    if (row.config) env.WriteConfig(*row.config);
    if (row.directory) std::filesystem::create_directory(env.ConfigPath());
    messages.Clear();
    CMainDlg& w = Window();
    EXPECT_EQ(Parts(w).TileButton(QStringLiteral("Журнал тревог"))->toolTip(), row.historyTooltip);
    EXPECT_EQ(Parts(w).TileButton(QStringLiteral("MMS Setting"))->toolTip(), QStringLiteral("MMS Set"));
    EXPECT_EQ(messages.Messages(), row.shown);
    EXPECT_EQ(Parts(w).PortList()->count(), 4) << "Авто, COM1, COM3 and the network port's question";
    std::ifstream in(env.ConfigPath(), std::ios::binary);
    std::string text;
    if (!row.directory) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_EQ(text == DefaultConfigText(), row.defaultWritten);
    window.reset();
  }
}

}  // namespace
}  // namespace veyra

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
#include "app/CNetworkPortDlg.h"
#include "app/CPortCombo.h"
#include "hostsim/InProcessHost.h"
#include "link/ComPorts.h"
#include "link/HostPort.h"
#include "tests/common/BadInput.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/Ser2net.h"
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
  // `prepare` runs before the window is shown.
  CMainDlg& Window(std::optional<int> password = 1234, const std::function<void(CMainDlg&)>& prepare = {}) {
    window = std::make_unique<CMainDlg>(port);
    window->SetPasswordPrompt([password] { return password; });
    window->SetSearchPauses(10, 50);
    if (prepare) prepare(*window);
    window->show();
    DeliverPosted();
    return *window;
  }
  void Select(const QString& text) {
    window->PortList()->setCurrentIndex(window->PortList()->findText(text));
  }
  // Chooses the port list's last entry as a person does and answers its question with url, OK
  // pressed (or the question closed when ok is false). Returns what the question's status line said.
  QString NameNetworkPort(const QString& url, bool ok = true) {
    QString said;
    bool asked = false;
    window->SetDialogRunner([&](CDialogBase& dialog) {
      auto* question = qobject_cast<CNetworkPortDlg*>(&dialog);
      if (!question) return;
      asked = true;
      question->Field()->setText(url);
      if (ok) question->OkButton()->click();
      said = question->StatusText();
    });
    CPortCombo* list = window->PortList();
    const int last = list->count() - 1;
    list->setCurrentIndex(last);
    emit list->activated(last);
    EXPECT_TRUE(asked) << "the last entry did not ask for a URL";
    return said;
  }
  // The entries between the system's ports (COM1, COM3) and the question at the end.
  QStringList ListedUrls() const {
    QStringList urls;
    for (int i = 3; i + 1 < window->PortList()->count(); ++i) urls << window->PortList()->itemText(i);
    return urls;
  }

  test::RecordingNotifier messages;
  HostPort port;
  std::unique_ptr<CMainDlg> window;
};

// Rows run in order on one pair of hosts, each with a window of its own; links taken away stay away.
TEST_F(MainWindowTest, SearchLogsInOnTheFirstHostThatAnswersOrSaysWhyNot) {
  const Bytes kLogin1111 = BuildFrame({0x02, 0x01, 0x11, 0x11});
  const struct {
    const char* fault;
    std::vector<const char*> removed;  // port links taken away first
    std::optional<int> password;       // nullopt: the password window closed
    const char* chosen;
    std::vector<Message> shown;
    const char* status;
    int found;  // HostFound, the login accepted and the port held open afterwards
    std::vector<Bytes> toSilent, toHost;
  } rows[] = {
      // clang-format off
      {"auto stops at the silent COM1, or does not try it first", {}, 1234, "Авто", {},
       "COM3 Successful to find main host!", 1, {kLogin1234}, {kLogin1234}},
      // The search re-reads the ports and so runs over all of them.
      {"a wrong password leaves the port open, or the status line says no host was found", {}, 1111, "COM3",
       {{"Неверный пароль!!", "", true, Icon::None}}, "COM3: неверный пароль, вход не выполнен", 0, {kLogin1111},
       {kLogin1111}},
      {"closing the password window still searches", {}, std::nullopt, "Авто", {}, "Поиск статус", 0, {}, {}},
      {"a search that finds nothing leaves a port held", {"COM3"}, 1234, "Авто", {}, "COM1 3G-камера не найдена!", 0,
       {kLogin1234}, {}},
      {"no ports with Авто goes unsaid", {"COM1"}, 1234, "Авто",
       {{"Your computer can't find COM!", "Remind", false, Icon::None}}, "Поиск статус", 0, {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    for (const char* name : row.removed) RemovePort(name);
    window.reset();
    port.Close();
    HostFound = 0;
    messages.Clear();
    silent.ClearLog();
    host.ClearLog();
    CMainDlg& w = Window(row.password);
    EXPECT_EQ(w.PortList()->itemText(0), QStringLiteral("Авто"));
    Select(QString::fromUtf8(row.chosen));
    w.SearchButton()->click();
    DeliverPosted();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    DeliverPosted();
    EXPECT_EQ(messages.Messages(), row.shown);
    EXPECT_EQ(HostFound.load(), row.found);
    EXPECT_EQ(w.LoginAccepted(), row.found);
    EXPECT_TRUE(WaitFor([&] { return w.Link().IsPortOpen() == row.found; }));
    EXPECT_EQ(w.StatusLine()->text(), QString::fromUtf8(row.status));
    EXPECT_EQ(w.OpenCloseButton()->text(),
              row.found ? QStringLiteral("Закрыть COM-порт") : QStringLiteral("Открыть COM-порт"));
    EXPECT_EQ(w.ConnectedPictureShown(), row.found == 1);
    EXPECT_EQ(silent.FramesReceived(), row.toSilent);
    EXPECT_EQ(host.FramesReceived(), row.toHost);
    if (row.found) {
      EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM3"));
      EXPECT_EQ(w.Link().GetPortNumber(), 3);
    }
  }
}

// The demo host (an in-process device) is a port like the others: listed under the lowest free
// number with what it is, and reached by "Авто" in its turn.
TEST_F(MainWindowTest, TheDemoHostIsListedAndFoundLikeAPort) {
  hostsim::InProcessHost demo("1234");
  ASSERT_TRUE(demo.Start("demo", "Демо-хост"));
  ASSERT_EQ(demo.ComNumber(), 2) << "COM1 and COM3 are taken";
  CMainDlg& w = Window();
  const int index = w.PortList()->findText(QStringLiteral("COM2"));
  ASSERT_GE(index, 0) << "the demo host is not in the port list";
  EXPECT_EQ(w.PortList()->itemData(index, Qt::ToolTipRole).toString(), QStringLiteral("Демо-хост"));
  w.SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 1);
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("COM2 Successful to find main host!"));
  EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM2"));
  EXPECT_EQ(silent.FramesReceived(), std::vector<Bytes>{kLogin1234});
  EXPECT_TRUE(host.FramesReceived().empty()) << "the search went on past the demo host";
  EXPECT_TRUE(messages.Messages().empty());
  // The program lets go of the device before the demo host goes, as at the program's end.
  window.reset();
  port.Close();
}

TEST_F(MainWindowTest, StrayFrameAfterTheSearchIsNoVerdict) {
  CMainDlg& w = Window();
  w.SearchButton()->click();
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
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("Порт COM3 открыт, вход не выполнялся"))
      << "an open port still said to be searched for, or a login claimed";
  EXPECT_TRUE(host.FramesReceived().empty()) << "no login is sent";
  w.OpenCloseButton()->click();
  DeliverPosted();
  EXPECT_EQ(HostFound.load(), 0);
  EXPECT_EQ(w.Link().IsPortOpen(), 0);
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
  EXPECT_EQ(w.StatusLine()->text(), QStringLiteral("Порт COM3 закрыт")) << "a closed port said to be open";
  EXPECT_FALSE(w.StatusLine()->isHidden()) << "the window shows the search's status line";
  EXPECT_FALSE(w.IsStatusLineShown()) << "a second status line under the tiles";
}

// After a search that was called off the port list shows the port that is open, not "Авто", and
// a line lost while the main window holds the port is said on its status line.
TEST_F(MainWindowTest, ACancelledSearchKeepsTheOpenPortListedAndALostLineIsSaid) {
  CMainDlg& w = Window(std::nullopt);
  Select("COM3");
  w.OpenCloseButton()->click();
  DeliverPosted();
  ASSERT_EQ(w.Link().IsPortOpen(), 1);
  w.SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM3")) << "the list shows Авто while COM3 is open";
  EXPECT_EQ(w.Link().IsPortOpen(), 1);
  EXPECT_TRUE(host.FramesReceived().empty()) << "a cancelled search sent a login";

  w.SetPasswordPrompt([] { return 1234; });
  hostsim::Faults unplug;
  unplug.hangUpAfterBytes = 3;
  host.SetFaults(unplug);
  w.SearchButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_TRUE(WaitFor([&] { return w.StatusLine()->text() == QStringLiteral("Связь с хостом потеряна!"); }))
      << w.StatusLine()->text().toStdString();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kLineLostText});
  EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Открыть COM-порт"));
  EXPECT_FALSE(w.ConnectedPictureShown());
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
  // What the port is, as the port list describes it: the device a link names, or the host.
  QString device;
  for (const ComPort& listed : ListComPorts().value_or(std::vector<ComPort>{}))
    if (listed.number == 3) device = QString::fromStdString(listed.description);
  ASSERT_FALSE(device.isEmpty());
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
  test::TestHost plugged;  // the list is read again when opened, and the choice survives that
  ASSERT_TRUE(plugged.Start());
  env.MapPort(12, plugged.DevicePath());
  second.PortList()->showPopup();
  second.PortList()->hidePopup();
  EXPECT_NE(second.PortList()->findText("COM12"), -1);
  EXPECT_EQ(second.PortList()->currentText(), QStringLiteral("COM3"));
  window.reset();

  RemovePort("COM3");
  EXPECT_EQ(Window().PortList()->currentText(), QStringLiteral("Авто"));
  EXPECT_TRUE(messages.Messages().empty());
}

// A host behind a serial server (ser2net on 127.0.0.1, in front of the simulated host): named by
// URL through the port list's last entry, searched on with the password, opened and closed by the
// button, and every status line names the URL. "Авто" stays with the system's ports.
TEST_F(MainWindowTest, TheWindowReachesAHostThroughASerialServerByItsUrl) {
  if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
  const struct {
    const char* fault;
    bool rfc2217;
  } rows[] = {
      {"raw TCP: the URL not searched on, or the host said found on COM-1", false},
      {"RFC 2217: the URL not searched on, or the host said found on COM-1", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    // A server of its own per row: ser2net holds a device a while after its client has gone.
    test::Ser2net server;
    ASSERT_TRUE(server.Start({test::Ser2net::Serial(row.rfc2217, host.DevicePath())}));
    const QString url = QString::fromStdString(server.Url(0));
    window.reset();
    HostFound = 0;
    messages.Clear();
    silent.ClearLog();
    host.ClearLog();
    CMainDlg& w = Window();
    EXPECT_EQ(w.PortList()->itemText(w.PortList()->count() - 1), QStringLiteral("Сетевой порт…"));
    EXPECT_EQ(NameNetworkPort(url), QString());
    EXPECT_EQ(w.PortList()->currentText(), url);
    EXPECT_EQ(w.Link().IsPortOpen(), 0) << "naming a port opened it";

    w.SearchButton()->click();
    DeliverPosted();
    EXPECT_EQ(w.LoginAccepted(), 1);
    EXPECT_EQ(HostFound.load(), 1);
    EXPECT_EQ(w.StatusLine()->text().toStdString(), url.toStdString() + " Successful to find main host!");
    EXPECT_EQ(w.PortList()->currentText().toStdString(), url.toStdString()) << "the search went back to Авто";
    EXPECT_EQ(w.OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
    EXPECT_TRUE(w.ConnectedPictureShown());
    EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kLogin1234});
    EXPECT_TRUE(silent.FramesReceived().empty()) << "a chosen network port searched the system's ports";

    w.OpenCloseButton()->click();
    DeliverPosted();
    EXPECT_EQ(w.Link().IsPortOpen(), 0);
    EXPECT_EQ(w.StatusLine()->text().toStdString(), "Порт " + url.toStdString() + " закрыт");
    w.OpenCloseButton()->click();
    DeliverPosted();
    EXPECT_EQ(w.Link().IsPortOpen(), 1) << "the button did not open the URL";
    EXPECT_EQ(w.StatusLine()->text().toStdString(),
              "Порт " + url.toStdString() + " открыт, вход не выполнялся");
    EXPECT_EQ(host.FramesReceived().size(), 1u) << "opening by the button sent a login";
    EXPECT_TRUE(messages.Messages().empty());

    // The next start offers the URL the last login went through.
    window.reset();
    EXPECT_EQ(Window().PortList()->currentText(), url);
    window.reset();
  }
}

// What the question refuses it says in plain words and keeps open; nothing is listed, remembered
// or opened, and the list goes back to the entry chosen before.
TEST_F(MainWindowTest, AMalformedUrlIsRefusedWithoutOpeningAnything) {
  const QString refusal = QStringLiteral("Адрес не понят: проверьте его вид и порт (от 1 до 65535)");
  const struct {
    const char* fault;
    const char* typed;
    bool ok;  // false: the question closed without OK
  } rows[] = {
      {"an empty field taken", "", true},
      {"a bare address taken for a device", "127.0.0.1:4001", true},
      {"another scheme taken", "http://127.0.0.1:4001", true},
      {"a URL without a port taken", "tcp://127.0.0.1", true},
      {"port 0 taken", "tcp://127.0.0.1:0", true},
      {"a port past 65535 taken", "rfc2217://127.0.0.1:65536", true},
      {"a URL without a host taken", "tcp://:4001", true},
      {"a blank inside the host taken", "tcp://my host:4001", true},
      {"a closed question still lists its URL", "tcp://127.0.0.1:4001", false},
  };
  CMainDlg& w = Window();
  Select("COM3");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(NameNetworkPort(QString::fromUtf8(row.typed), row.ok), row.ok ? refusal : QString());
    EXPECT_EQ(w.PortList()->currentText(), QStringLiteral("COM3")) << "the list left on the question";
    EXPECT_EQ(w.PortList()->count(), 4) << "a URL listed";
    EXPECT_EQ(w.Link().IsPortOpen(), 0);
  }
  EXPECT_TRUE(messages.Messages().empty()) << "something was opened and failed";
  EXPECT_TRUE(host.FramesReceived().empty());
  window.reset();
  EXPECT_EQ(Window().PortList()->count(), 4) << "a refused URL remembered";
}

// The list keeps the last five URLs named, the last first, each once, across a restart; none of
// them is tried by "Авто".
TEST_F(MainWindowTest, NamedUrlsComeBackOnTheNextStart) {
  const auto url = [](int i) { return QStringLiteral("tcp://10.0.0.%1:4001").arg(i); };
  Window();
  for (int i = 1; i <= 6; ++i) NameNetworkPort(url(i));
  NameNetworkPort(url(4));  // named again: to the front, not twice
  const QStringList expected = {url(4), url(6), url(5), url(3), url(2)};
  const struct {
    const char* fault;
    bool restarted;
  } rows[] = {
      {"a named URL not listed, listed twice, or more than five kept", false},
      {"the URLs forgotten by the next start", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    if (row.restarted) {
      window.reset();
      Window();
    }
    EXPECT_EQ(ListedUrls(), expected);
    EXPECT_EQ(window->PortList()->itemText(window->PortList()->count() - 1), QStringLiteral("Сетевой порт…"));
  }
  EXPECT_EQ(window->PortList()->currentText(), QStringLiteral("Авто"))
      << "only a login chooses the next start's port";
  window->SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(window->LoginAccepted(), 1);
  EXPECT_EQ(window->StatusLine()->text(), QStringLiteral("COM3 Successful to find main host!"));
  EXPECT_TRUE(messages.Messages().empty()) << "Авто tried a network port";
}

TEST_F(MainWindowTest, StartUpWritesTheDefaultConfigAndReadsTooltips) {
  const struct {
    const char* fault;
    std::optional<std::string> config;  // nullopt: no file
    QString historyTooltip;
    std::vector<Message> shown;
    bool defaultWritten, directory = false;  // a directory where config.ini should be
  } rows[] = {
      // clang-format off
      {"a missing file not written with the default text", std::nullopt, "Check alarm history", {}, true},
      {"an empty file rewritten, or its tooltips made up", std::string(), "", {}, false},
      {"a partial file's tooltip lost", std::string("[main]\nm_lsjl=Журнал\n"), "Журнал", {}, false},
      {"an unreadable file goes unsaid or stops the window", std::nullopt, "",
       {{"Please Copy to Harddisk Run!", "", true, Icon::None},
        {"Loading config.ini Failure!！\n", "Failure!", false, Icon::None}}, false, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    std::filesystem::remove(env.ConfigPath());
    if (row.config) env.WriteConfig(*row.config);
    if (row.directory) std::filesystem::create_directory(env.ConfigPath());
    messages.Clear();
    CMainDlg& w = Window();
    EXPECT_EQ(w.TileButton(QStringLiteral("Журнал тревог"))->toolTip(), row.historyTooltip);
    EXPECT_EQ(w.TileButton(QStringLiteral("MMS Setting"))->toolTip(), QStringLiteral("MMS Set"));
    EXPECT_EQ(messages.Messages(), row.shown);
    EXPECT_EQ(w.PortList()->count(), 4) << "Авто, COM1, COM3 and the network port's question";
    std::ifstream in(env.ConfigPath(), std::ios::binary);
    std::string text;
    if (!row.directory) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_EQ(text == DefaultConfigText(), row.defaultWritten);
    window.reset();
  }
}

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
  w.OpenCloseButton()->click();
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
    w.TileButton(QString::fromUtf8(row.tile))->click();
    EXPECT_EQ(shownClass, QString::fromLatin1(row.dialogClass));
    if (*row.dialogClass) {
      EXPECT_NE(ownerWhileOpen, nullptr);
      EXPECT_NE(ownerWhileOpen, static_cast<HostLink*>(&w.Link()))
          << "the dialog must own the port while open";
    }
    EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&w.Link())) << "replies go back to the main window";
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
  CMainDlg& w = Window(1234, [&login](CMainDlg& w) {
    w.SetPasswordPrompt([&login]() -> std::optional<int> {
      login.setResult(QDialog::Rejected);
      login.OkButton()->click();
      if (login.result() != QDialog::Accepted) return std::nullopt;
      return login.Password();
    });
  });
  QLineEdit* field = login.Field();
  EXPECT_EQ(field->echoMode(), QLineEdit::Password) << "the password shown as typed";
  QPushButton* search = w.SearchButton();
  const std::string wrong = "Неверный пароль!!";
  const std::string accepted = "AA 02 01 12 34 49 55";
  const QString hint = QStringLiteral("Введите пароль из четырёх цифр");
  using test::kSet, test::kTyped, test::kPasted;
  const struct {
    test::BadInput input;
    bool refused;  // the box stays open with the hint
  } rows[] = {
      // clang-format off
      {{"an empty field searched with 0", field, "", kSet, search, {}, {}}, true},
      {{"three digits searched with them", field, "123", kTyped, search, {}, {}}, true},
      {{"letters typed and taken", field, "12ab", kTyped, search, {}, {}}, true},
      {{"Cyrillic pasted and taken", field, test::kCyrillic, kPasted, search, {}, {}}, true},
      {{"blanks pasted around the password and taken", field, " 1234 ", kPasted, search, {}, {}}, true},
      {{"a fifth digit typed and sent", field, "12345", kTyped, search, {}, {accepted}}, false},
      // Cut to the field's four digits, as every digit field of the program cuts a paste.
      {{"a 10,000-digit paste sent past four digits", field, test::Many('1'), kPasted, search, {wrong},
        {test::FrameLine("02 01 11 11")}}, false},
      {{"four digits refused", field, "1234", kTyped, search, {}, {accepted}}, false},
      {{"a wrong four-digit password not sent", field, "4321", kTyped, search, {wrong},
        {test::FrameLine("02 01 43 21")}}, false},
      // clang-format on
  };
  for (const auto& row : rows) {
    login.ShowStatus(QString());
    test::Press(row.input, messages, host);
    EXPECT_EQ(login.StatusText(), row.refused ? hint : QString()) << row.input.fault;
  }
}

// The system menu's check item appends each exchange's trace lines, as --trace writes them, to a
// file asked for once; unchecked it leaves the file alone, and the next start logs at once.
TEST_F(MainWindowTest, TrafficLogItemAppendsEachExchangesTraceLinesToTheFileChosenOnce) {
  const std::string path = env.Dir() + "/traffic.log";
  int asked = 0;
  const auto answer = [&](CMainDlg& w) {
    w.TrafficLog().SetFileChooser([&] {
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
    window->SearchButton()->click();
    DeliverPosted();
    ASSERT_EQ(window->LoginAccepted(), 1);
    window->OpenCloseButton()->click();
  };
  QAction* item = Window(1234, answer).TrafficLog().Action();
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
  EXPECT_TRUE(Window(1234, answer).TrafficLog().Action()->isChecked());
  logIn();
  EXPECT_GT(lines().size(), first.size() + 1);
  EXPECT_EQ(lines().front(), first.front()) << "appended to, not overwritten";
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace veyra

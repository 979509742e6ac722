// The main window and network ports: a host behind a serial server, reached by the URL named in
// the port list's question, and the URLs it remembers.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "app/CMainDlg.h"
#include "app/CNetworkPortDlg.h"
#include "app/CPortCombo.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/common/MainWindowParts.h"
#include "tests/common/Ser2net.h"
#include "tests/common/WaitFor.h"

namespace veyra {
namespace {

using test::DeliverPosted;
using test::kLogin1234;
using test::WaitFor;

class MainWindowNetworkTest : public test::MainWindowTest {
 protected:
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
    CPortCombo* list = Parts(*window).PortList();
    const int last = list->count() - 1;
    list->setCurrentIndex(last);
    emit list->activated(last);
    EXPECT_TRUE(asked) << "the last entry did not ask for a URL";
    return said;
  }
  // The entries between the system's ports (COM1, COM3) and the question at the end.
  QStringList ListedUrls() const {
    QStringList urls;
    for (int i = 3; i + 1 < Parts(*window).PortList()->count(); ++i)
      urls << Parts(*window).PortList()->itemText(i);
    return urls;
  }
};

// A host behind a serial server (ser2net on 127.0.0.1, in front of the simulated host): named by
// URL through the port list's last entry, searched on with the password, opened and closed by the
// button, and every status line names the URL. "Авто" stays with the system's ports.
TEST_F(MainWindowNetworkTest, TheWindowReachesAHostThroughASerialServerByItsUrl) {
  if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
  const struct {
    const char* expect;
    bool rfc2217;
  } rows[] = {
      {"raw TCP: the URL searched on and the host found on it", false},
      {"RFC 2217: the URL searched on and the host found on it", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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
    EXPECT_EQ(Parts(w).PortList()->itemText(Parts(w).PortList()->count() - 1),
              QStringLiteral("Сетевой порт…"));
    EXPECT_EQ(NameNetworkPort(url), QString());
    EXPECT_EQ(Parts(w).PortList()->currentText(), url);
    EXPECT_EQ(Parts(w).Link().IsPortOpen(), 0) << "naming a port opened it";

    Parts(w).SearchButton()->click();
    DeliverPosted();
    EXPECT_EQ(Parts(w).LoginAccepted(), 1);
    EXPECT_EQ(HostFound.load(), 1);
    EXPECT_EQ(Parts(w).StatusLine()->text().toStdString(),
              url.toStdString() + " Successful to find main host!");
    EXPECT_EQ(Parts(w).PortList()->currentText().toStdString(), url.toStdString())
        << "the search went back to Авто";
    EXPECT_EQ(Parts(w).OpenCloseButton()->text(), QStringLiteral("Закрыть COM-порт"));
    EXPECT_TRUE(Parts(w).ConnectedPictureShown());
    EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kLogin1234});
    EXPECT_TRUE(silent.FramesReceived().empty()) << "a chosen network port searched the system's ports";

    Parts(w).OpenCloseButton()->click();
    DeliverPosted();
    EXPECT_EQ(Parts(w).Link().IsPortOpen(), 0);
    EXPECT_EQ(Parts(w).StatusLine()->text().toStdString(), "Порт " + url.toStdString() + " закрыт");
    Parts(w).OpenCloseButton()->click();
    DeliverPosted();
    EXPECT_EQ(Parts(w).Link().IsPortOpen(), 1) << "the button did not open the URL";
    EXPECT_EQ(Parts(w).StatusLine()->text().toStdString(),
              "Порт " + url.toStdString() + " открыт, вход не выполнялся");
    EXPECT_EQ(host.FramesReceived().size(), 1u) << "opening by the button sent a login";
    EXPECT_TRUE(messages.Messages().empty());

    // The next start offers the URL the last login went through.
    window.reset();
    EXPECT_EQ(Parts(Window()).PortList()->currentText(), url);
    window.reset();
  }
}

// What the question refuses it says in plain words and keeps open; nothing is listed, remembered
// or opened, and the list goes back to the entry chosen before.
TEST_F(MainWindowNetworkTest, AMalformedUrlIsRefusedWithoutOpeningAnything) {
  const QString refusal = QStringLiteral("Адрес не понят: проверьте его вид и порт (от 1 до 65535)");
  const struct {
    const char* expect;
    const char* typed;
    bool ok;  // false: the question closed without OK
  } rows[] = {
      {"an empty field refused", "", true},
      {"a bare address refused", "127.0.0.1:4001", true},
      {"another scheme refused", "http://127.0.0.1:4001", true},
      {"a URL without a port refused", "tcp://127.0.0.1", true},
      {"port 0 refused", "tcp://127.0.0.1:0", true},
      {"a port past 65535 refused", "rfc2217://127.0.0.1:65536", true},
      {"a URL without a host refused", "tcp://:4001", true},
      {"a blank inside the host refused", "tcp://my host:4001", true},
      {"a closed question lists nothing", "tcp://127.0.0.1:4001", false},
  };
  CMainDlg& w = Window();
  Select("COM3");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(NameNetworkPort(QString::fromUtf8(row.typed), row.ok), row.ok ? refusal : QString());
    EXPECT_EQ(Parts(w).PortList()->currentText(), QStringLiteral("COM3")) << "the list left on the question";
    EXPECT_EQ(Parts(w).PortList()->count(), 4) << "a URL listed";
    EXPECT_EQ(Parts(w).Link().IsPortOpen(), 0);
  }
  EXPECT_TRUE(messages.Messages().empty()) << "something was opened and failed";
  EXPECT_TRUE(host.FramesReceived().empty());
  window.reset();
  EXPECT_EQ(Parts(Window()).PortList()->count(), 4) << "a refused URL remembered";
}

// The list keeps the last five URLs named, the last first, each once, across a restart; none of
// them is tried by "Авто".
TEST_F(MainWindowNetworkTest, NamedUrlsComeBackOnTheNextStart) {
  const auto url = [](int i) { return QStringLiteral("tcp://10.0.0.%1:4001").arg(i); };
  Window();
  for (int i = 1; i <= 6; ++i) NameNetworkPort(url(i));
  NameNetworkPort(url(4));  // named again: to the front, not twice
  const QStringList expected = {url(4), url(6), url(5), url(3), url(2)};
  const struct {
    const char* expect;
    bool restarted;
  } rows[] = {
      {"each named URL listed once, the last five kept", false},
      {"the URLs kept for the next start", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    if (row.restarted) {
      window.reset();
      Window();
    }
    EXPECT_EQ(ListedUrls(), expected);
    EXPECT_EQ(Parts(*window).PortList()->itemText(Parts(*window).PortList()->count() - 1),
              QStringLiteral("Сетевой порт…"));
  }
  EXPECT_EQ(Parts(*window).PortList()->currentText(), QStringLiteral("Авто"))
      << "only a login chooses the next start's port";
  Parts(*window).SearchButton()->click();
  DeliverPosted();
  EXPECT_EQ(Parts(*window).LoginAccepted(), 1);
  EXPECT_EQ(Parts(*window).StatusLine()->text(), QStringLiteral("COM3 Successful to find main host!"));
  EXPECT_TRUE(messages.Messages().empty()) << "Авто tried a network port";
}

}  // namespace
}  // namespace veyra

// Makes the pictures of the user guide: every window on the demo host, with what the host holds
// read in, as an installer sees it.
//   veyra-guide-pictures DIR    saves main.png, settings.png, ... into DIR
// Exit status 1 when a picture could not be saved or a window showed a message: a read that
// failed would leave its picture empty. tools/guide-pictures.sh runs it under a virtual X server.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QString>
#include <atomic>
#include <cstdio>

#include "app/CMainDlg.h"
#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/COperateHostDlg.h"
#include "features/alarm/CTimedArmDlg.h"
#include "features/alarm/CTimedLookupPage.h"
#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSensorListPage.h"
#include "features/sensors/CSensorsDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
#include "features/settings/CSettingsDlg.h"
#include "features/settings/CSetupPage.h"
#include "hostsim/InProcessHost.h"
#include "link/Config.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "link/SerialChannel.h"
#include "ui/Resources.h"

namespace {

// A picture is taken of what the host answered; any message means something went wrong.
class ComplainingNotifier final : public veyra::Notifier {
 public:
  void Show(const veyra::Message& message) override {
    std::fprintf(stderr, "veyra-guide-pictures: a window said: %s\n", message.text.c_str());
    shown_ = true;
  }
  bool Shown() const { return shown_; }

 private:
  std::atomic<bool> shown_{false};
};

int Fail(const char* text) {
  std::fprintf(stderr, "veyra-guide-pictures: %s\n", text);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: veyra-guide-pictures DIR");
  QApplication app(argc, argv);
  veyra::SetDiagnosticsEnabled(false);  // the port's events are no part of the pictures
  veyra::InitResources();
  const QString dir = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(dir)) return Fail("cannot make the folder for the pictures");
  // The tiles' tooltips come from config.ini, as in the program.
  if (veyra::EnsureDefaultConfig() == veyra::DefaultConfigResult::Failed)
    return Fail("cannot write config.ini");
  ComplainingNotifier notifier;
  veyra::SetNotifier(&notifier);
  veyra::hostsim::InProcessHost demo;
  if (!demo.Start("demo", "Демо-хост")) return Fail("the demo host could not be started");
  veyra::HostPort port;
  if (port.OpenCom(demo.ComNumber()) != 1) return Fail("the demo host's port does not open");

  bool saved = true;
  const auto save = [&](QWidget& window, const char* name) {
    window.show();
    // Every exchange is over when its button's click returns; what it posted is applied here.
    QCoreApplication::sendPostedEvents();
    const QString file = dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "veyra-guide-pictures: cannot save %s\n", file.toLocal8Bit().constData());
      saved = false;
    }
  };
  {
    CMainDlg main(port);
    veyra::HostFound = 1;  // as a search that found the demo host leaves it
    main.ShowBanner(QStringLiteral("COM%1 Successful to find main host!").arg(demo.ComNumber()));
    save(main, "main");

    // Each dialog on the port, with what the host holds read in by the button `read` names, if any.
    const auto open = [&](auto&& dialog, const char* name, auto read) {
      dialog.SetCommn(&port);
      dialog.show();
      if (QPushButton* button = read(dialog)) button->click();
      save(dialog, name);
    };
    const auto none = [](auto&) -> QPushButton* { return nullptr; };
    open(CSettingsDlg(&main), "settings", [](auto& d) { return d.SetupPage()->GetButton(); });
    open(CAlarmHistoryDlg(&main), "history", [](auto& d) { return d.RefreshButton(); });
    open(COperateHostDlg(&main), "operate", none);
    open(CTimedArmDlg(&main), "schedules", [](auto& d) { return d.LookupPage()->LookupButton(); });
    open(CAlarmPhoneDlg(&main), "phones", [](auto& d) { return d.ReadButton(); });
    open(CSensorsDlg(&main), "sensors", [](auto& d) { return d.ListPage()->CheckButton(); });
    open(CMmsSettingDlg(&main), "mms", none);
    open(CSmartHomeDlg(&main), "smarthome", none);
    veyra::HostFound = 0;
  }
  port.Close();
  port.SetOwner(nullptr);
  veyra::SetNotifier(nullptr);
  return saved && !notifier.Shown() ? 0 : 1;
}

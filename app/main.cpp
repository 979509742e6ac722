// veyra-setup: configures a 3G/GSM video alarm host over a serial port.
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/CMainDlg.h"
#include "app/TestScript.h"
#include "hostsim/InProcessHost.h"
#include "link/HostPort.h"
#include "link/Trace.h"
#include "ui/QtNotifier.h"
#include "ui/Resources.h"
#include "ui/Translation.h"
#include "veyra/Version.h"

int main(int argc, char** argv) {
  // Answered before QApplication exists, so they work without a display (packaging, scripts).
  std::optional<veyra::Language> language;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--lang") == 0) {
      language = i + 1 < argc ? veyra::LanguageOfOption(argv[++i]) : std::nullopt;
      if (!language) {
        std::fprintf(stderr, "veyra-setup: --lang takes original (the texts as written), en or ru\n");
        return 2;
      }
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("veyra-setup %s\n", veyra::kVersion);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("usage: veyra-setup [--demo] [--trace] [--lang original|en|ru] [--version]\n");
      return 0;
    }
  }
  // The one port of the program exists before the application and outlives every window.
  veyra::HostPort port;
  int status = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veyra-setup"));
    const QStringList args = QApplication::arguments();
    veyra::InitResources();
    // Without --lang the system's setting decides (LANG=en_US.UTF-8 gives English, ru_RU Russian,
    // any other the texts as written).
    if (!veyra::LoadLanguage(language.value_or(veyra::LanguageOfLocale(QLocale::system()))))
      std::fprintf(stderr, "veyra-setup: the translations could not be loaded; the texts stay as written\n");
    QtNotifier notifier;
    veyra::SetNotifier(&notifier);
    if (args.contains(QStringLiteral("--trace"))) veyra::EnableTrace(port, stdout);

    // The demo host lives in this process and is listed among the ports, on every system alike:
    // no pseudo-terminal, no files, nothing left behind when the program ends however it ends.
    std::unique_ptr<veyra::hostsim::InProcessHost> demo;
    if (args.contains(QStringLiteral("--demo"))) {
      demo = std::make_unique<veyra::hostsim::InProcessHost>("1234");
      demo->SetPace(true);  // as quick as a host on a 9600-baud line, no quicker
      if (!demo->Start("demo", QCoreApplication::translate("main", "Демо-хост").toStdString())) {
        std::fprintf(stderr, "veyra-setup: the demo host could not be started\n");
        demo.reset();
      } else {
        CMainDlg::RememberIn(QStringLiteral("veyra-setup-demo.conf"));
      }
    }
    {
      CMainDlg window(port);
      notifier.SetDefaultOwner(&window);
      if (!TestScript::StartFromEnvironment(&window)) {
        std::fprintf(stderr, "veyra-setup: the test script VEYRA_TEST_SCRIPT names cannot be read\n");
        return 2;
      }
      if (demo) {
        window.ShowBanner(QCoreApplication::translate("main", "Демо: хост на COM%1, пароль %2")
                              .arg(demo->ComNumber())
                              .arg(QString::fromStdString(demo->Password())));
      }
      status = window.exec();
      if (port.IsOpen()) port.Close();
      port.SetOwner(nullptr);
    }
    veyra::SetNotifier(nullptr);
  }
  return status == QDialog::Accepted || status == QDialog::Rejected ? 0 : status;
}

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
#ifdef VEYRA_PTY_DEMO
#include "hostsim/DemoPorts.h"
#endif
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
        std::fprintf(stderr, "veyra-setup: --lang takes en (English) or ru (the texts as written)\n");
        return 2;
      }
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("veyra-setup %s\n", veyra::kVersion);
      return 0;
    }
#ifndef VEYRA_PTY_DEMO
    if (std::strcmp(argv[i], "--demo") == 0) {
      std::fprintf(stderr, "veyra-setup: --demo needs a pseudo-terminal, which this system lacks\n");
      return 2;
    }
#endif
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("usage: veyra-setup [--demo] [--trace] [--lang en|ru] [--version]\n");
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
    // Without --lang the system's setting decides (LANG=en_US.UTF-8 gives English).
    if (!veyra::LoadLanguage(language.value_or(veyra::LanguageOfLocale(QLocale::system()))))
      std::fprintf(stderr, "veyra-setup: the translations could not be loaded; the texts stay as written\n");
    QtNotifier notifier;
    veyra::SetNotifier(&notifier);
    if (args.contains(QStringLiteral("--trace"))) veyra::EnableTrace(port, stdout);

#ifdef VEYRA_PTY_DEMO
    std::unique_ptr<veyra::hostsim::DemoPorts> demo;
    if (args.contains(QStringLiteral("--demo"))) {
      demo = std::make_unique<veyra::hostsim::DemoPorts>("1234");
      if (!demo->Start()) {
        std::fprintf(stderr, "veyra-setup: the demo host could not be started (no pseudo-terminal)\n");
        demo.reset();
      } else {
        demo->RemoveOnSignals();
        CMainDlg::RememberIn(QStringLiteral("veyra-setup-demo.conf"));
      }
    }
#endif
    {
      CMainDlg window(port);
      notifier.SetDefaultOwner(&window);
      if (!TestScript::StartFromEnvironment(&window)) {
        std::fprintf(stderr, "veyra-setup: the test script VEYRA_TEST_SCRIPT names cannot be read\n");
        return 2;
      }
#ifdef VEYRA_PTY_DEMO
      if (demo) {
        window.StatusLine()->setText(QCoreApplication::translate("main", "Демо: хост на COM%1, пароль %2")
                                         .arg(demo->ComNumber())
                                         .arg(QString::fromStdString(demo->Password())));
      }
#endif
      status = window.exec();
      if (port.IsOpen()) port.Close();
      port.SetOwner(nullptr);
    }
    veyra::SetNotifier(nullptr);
  }
  return status == QDialog::Accepted || status == QDialog::Rejected ? 0 : status;
}

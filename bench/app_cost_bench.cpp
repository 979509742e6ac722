// What the whole program costs while it waits and when it starts, headless:
//   idle     CPU time used with the port open on a simulated host and no traffic, over 10 s;
//   startup  launch to the main window's first paint (a fresh process each time, as a user
//            starts it, with the demo host main() starts), then resident memory once every
//            window has been opened and closed.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/CPortCombo.h"
#include "app/TileTable.h"
#include "bench/BenchEnvironment.h"
#include "hostsim/InProcessHost.h"
#include "hostsim/PtyHost.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "tests/common/MainWindowParts.h"
#include "ui/QtNotifier.h"
#include "ui/Resources.h"

extern char** environ;

namespace {

using veyra::bench::NowNs;
using veyra::bench::PrintFigure;

class SilentNotifier : public veyra::Notifier {
 public:
  void Show(const veyra::Message&) override {}
};

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

void Pump(int ms) {
  const std::int64_t until = NowNs() + std::int64_t{ms} * 1000000;
  while (NowNs() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

int Idle(int argc, char** argv) {
  QApplication app(argc, argv);
  veyra::bench::BenchEnvironment env;
  veyra::SetDiagnosticsEnabled(false);
  SilentNotifier notifier;
  veyra::SetNotifier(&notifier);
  veyra::hostsim::PtyHost host;
  if (!host.Start()) return 1;
  env.MapPort(7, host.DevicePath());
  veyra::HostPort port;
  double used = 0;
  bool open = false;
  {
    CMainDlg window(port);
    window.show();
    window.EnumeratePorts();
    Parts(window).PortList()->setCurrentIndex(Parts(window).PortList()->findText(QStringLiteral("COM7")));
    window.TogglePort();
    open = port.IsOpen() != 0;
    Pump(1000);  // start-up work (first paints, the reader thread's start) is not idling
    const double before = CpuSeconds();
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    QApplication::exec();
    used = CpuSeconds() - before;
    if (port.IsOpen()) port.Close();
    port.SetOwner(nullptr);
  }
  veyra::SetNotifier(nullptr);
  if (!open) {
    std::fprintf(stderr, "the port did not open\n");
    return 1;
  }
  PrintFigure("idle_cpu_percent", used / 10.0 * 100.0, "%");
  return 0;
}

// As main() does it, up to the main window's first paint; then every window once.
int StartupChild(int argc, char** argv) {
  veyra::HostPort port;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("veyra-setup"));
  veyra::InitResources();
  QtNotifier notifier;
  veyra::SetNotifier(&notifier);
  veyra::hostsim::InProcessHost demo("1234");
  demo.SetPace(true);
  demo.Start("demo", "Демо-хост");
  std::int64_t shown = 0;
  {
    CMainDlg window(port);
    notifier.SetDefaultOwner(&window);
    struct FirstPaint : QObject {
      std::int64_t* shown;
      explicit FirstPaint(std::int64_t* s) : shown(s) {}
      bool eventFilter(QObject*, QEvent* event) override {
        // Stamped once the paint has been handled: the window is then on screen.
        if (event->type() == QEvent::Paint && *shown == 0)
          QTimer::singleShot(0, this, [this] { *shown = NowNs(); });
        return false;
      }
    } firstPaint(&shown);
    window.installEventFilter(&firstPaint);
    window.show();
    while (shown == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    window.removeEventFilter(&firstPaint);

    // Windows the tiles open may refuse with a box while no host is found; nobody is there to
    // close it.
    SilentNotifier silent;
    veyra::SetNotifier(&silent);
    window.SetDialogRunner([](CDialogBase& dialog) {
      dialog.show();
      Pump(50);
      dialog.close();
    });
    for (int tile = 0; tile < kTileCount; ++tile) window.OpenTile(tile);
    window.ShowAbout();
    {
      CLoginDlg login(&window);
      login.show();
      Pump(50);
      login.close();
    }
    Pump(100);
    std::printf("shown %lld\nrss %.3f\n", static_cast<long long>(shown), ResidentMegabytes());
    std::fflush(stdout);
    veyra::SetNotifier(nullptr);
    port.SetOwner(nullptr);
  }
  return 0;
}

int Startup(const char* self) {
  std::vector<double> startups;
  double rss = 0;
  for (int run = 0; run < 7; ++run) {
    int out[2];
    if (::pipe(out) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char childArg[] = "startup-child";
    char* childArgv[] = {const_cast<char*>(self), childArg, nullptr};
    pid_t pid = 0;
    const std::int64_t launched = NowNs();
    const int failed = posix_spawn(&pid, self, &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed) return 1;
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    long long shown = 0;
    double childRss = 0;
    if (std::sscanf(text.c_str(), "shown %lld\nrss %lf", &shown, &childRss) != 2 || shown == 0) {
      std::fprintf(stderr, "the window was never shown: %s\n", text.c_str());
      return 1;
    }
    if (run == 0) continue;  // the first launch reads the libraries from disk; later ones from cache
    startups.push_back(static_cast<double>(shown - launched) / 1e9);
    rss = std::max(rss, childRss);
  }
  PrintFigure("startup_median", veyra::bench::Quantile(startups, 0.5), "s");
  PrintFigure("startup_max", veyra::bench::Quantile(startups, 1.0), "s");
  PrintFigure("rss_after_every_window", rss, "MB");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "idle") return Idle(argc, argv);
  if (mode == "startup") return Startup(argv[0]);
  if (mode == "startup-child") return StartupChild(argc, argv);
  std::fprintf(stderr, "usage: %s idle|startup\n", argv[0]);
  return 2;
}

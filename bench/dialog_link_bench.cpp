// What handing replies to the GUI thread costs a window: one exchange through a window's link
// (the reply has gone through the handler when Send returns), and a 39-record history answer
// handed over frame by frame through the event loop.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "hostsim/PtyHost.h"
#include "link/Config.h"
#include "link/HostPort.h"
#include "link/SerialChannel.h"
#include "ui/DialogLink.h"

namespace {

struct Bench {
  Bench() {
    const std::string dir = std::filesystem::temp_directory_path() / "veyra-bench-ui";
    std::filesystem::create_directories(dir + "/ports");
    ::setenv("VEYRA_CONFIG_PATH", (dir + "/config.ini").c_str(), 1);
    ::setenv("VEYRA_PORTS_DIR", (dir + "/ports").c_str(), 1);
    veyra::EnsureDefaultConfig();
    veyra::SetDiagnosticsEnabled(false);
    host.Start();
    std::filesystem::remove(dir + "/ports/COM7");
    std::filesystem::create_symlink(host.DevicePath(), dir + "/ports/COM7");
    link.SetCommn(&port);
    link.OpenPort(7);
  }
  ~Bench() {
    port.SetOwner(nullptr);
    port.Close();
  }
  int handled = 0;
  veyra::hostsim::PtyHost host;
  veyra::HostPort port;
  veyra::DialogLink link{[this](const veyra::Bytes&, const veyra::Bytes&) { ++handled; }};
};

void BM_WindowExchangeRoundTrip(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) {
    if (!bench.link.Send({0x00, 0x09})) state.SkipWithError("no reply");
  }
  if (bench.handled < static_cast<int>(state.iterations()))
    state.SkipWithError("a reply was not handed over");
}
BENCHMARK(BM_WindowExchangeRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_WindowHistoryAnswer(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) {
    bench.handled = 0;
    bench.link.Send({0x00, 0x02});  // the whole log, one frame per record
    while (bench.handled < 39) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
}
BENCHMARK(BM_WindowHistoryAnswer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

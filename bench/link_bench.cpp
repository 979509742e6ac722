// Speed of the frame layer and of one command exchange over a pseudo-terminal.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "hostsim/PtyHost.h"
#include "link/Config.h"
#include "link/FrameRecognizer.h"
#include "link/HostLink.h"
#include "link/HostPort.h"

namespace {

// Bytes at the line rate are ~960/s; the recogniser must stay far below a byte's 1 ms.
void BM_RecogniseHistoryStream(benchmark::State& state) {
  veyra::Bytes stream;
  for (int i = 0; i < 200; ++i) {
    const veyra::Bytes frame =
        veyra::BuildFrame({0x06, 0x02, static_cast<std::uint8_t>(i), 0x01, 0x03, 0x12, 0x05, 0x30});
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  for (auto _ : state) {
    veyra::RxBuffer rx;
    std::size_t delivered = 0;
    for (std::uint8_t b : stream) delivered += rx.Append(b, true).delivered;
    benchmark::DoNotOptimize(delivered);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_RecogniseHistoryStream);

// A buffer full of noise that never completes a frame: the bound keeps each scan short.
void BM_RecogniseNoise(benchmark::State& state) {
  veyra::RxBuffer rx;
  std::uint8_t b = 0;
  for (auto _ : state) {
    b = static_cast<std::uint8_t>(b * 37 + 11);
    benchmark::DoNotOptimize(rx.Append(b == 0xAA ? 0x01 : b, true));
  }
}
BENCHMARK(BM_RecogniseNoise);

class BenchLink : public veyra::HostLink {
 public:
  void OnReply(const veyra::Bytes&, const veyra::Bytes&) override {}
};

// One arm command answered at once: the exchange's own overhead, end to end through a pty.
void BM_ExchangeRoundTrip(benchmark::State& state) {
  const std::string dir = std::filesystem::temp_directory_path() / "veyra-bench";
  std::filesystem::create_directories(dir + "/ports");
  ::setenv("VEYRA_CONFIG_PATH", (dir + "/config.ini").c_str(), 1);
  ::setenv("VEYRA_PORTS_DIR", (dir + "/ports").c_str(), 1);
  veyra::EnsureDefaultConfig();
  veyra::hostsim::PtyHost host;
  host.Start();
  std::filesystem::remove(dir + "/ports/COM7");
  std::filesystem::create_symlink(host.DevicePath(), dir + "/ports/COM7");
  veyra::SetDiagnosticStream(fopen("/dev/null", "w"));
  veyra::HostPort port;
  BenchLink link;
  link.SetCommn(&port);
  link.OpenPort(7);
  for (auto _ : state) {
    link.ClearPayload();
    link.Payload = {0x00, 0x09};
    if (!link.SendAndWait(link.Payload, -1, -1)) state.SkipWithError("no reply");
  }
  port.SetOwner(nullptr);
  port.Close();
}
BENCHMARK(BM_ExchangeRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

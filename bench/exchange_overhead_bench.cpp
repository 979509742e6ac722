// The program's own share of a command exchange: from the simulated host writing the last byte of
// its reply on the pseudo-terminal to SendAndWait returning with the reply handled. Line time and
// the host's work are outside the measured span, so what is left is the reader thread's wake-up,
// recognition, hand-over and the waiting thread's wake-up.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchEnvironment.h"
#include "hostsim/PtyHost.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/SerialChannel.h"

namespace {

class QuietLink : public veyra::HostLink {
 public:
  void OnReply(const veyra::Bytes&, const veyra::Bytes&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  const int exchanges = argc > 1 ? std::atoi(argv[1]) : 2000;
  veyra::bench::BenchEnvironment env;
  veyra::SetDiagnosticsEnabled(false);
  veyra::hostsim::PtyHost host;
  if (!host.Start()) {
    std::fprintf(stderr, "no pseudo-terminal\n");
    return 1;
  }
  env.MapPort(7, host.DevicePath());
  veyra::HostPort port;
  QuietLink link;
  link.SetCommn(&port);
  if (!link.OpenPort(7)) return 1;

  // Warm-up: first-touch page faults and the pty's first wake-ups are not the steady state.
  for (int i = 0; i < 50; ++i) link.SendAndWait({0x00, 0x09}, -1, -1);

  std::vector<double> overheadUs, roundTripUs;
  overheadUs.reserve(static_cast<std::size_t>(exchanges));
  int failures = 0;
  for (int i = 0; i < exchanges; ++i) {
    const std::int64_t before = host.LastReplyWrittenNs();
    link.ClearPayload();
    const std::int64_t sendStart = veyra::bench::NowNs();
    const int replied = link.SendAndWait({0x00, 0x09}, -1, -1);
    const std::int64_t returned = veyra::bench::NowNs();
    if (!replied) {
      ++failures;
      continue;
    }
    // The host stamps right after its write returns; it may be scheduled after the reader.
    std::int64_t written = host.LastReplyWrittenNs();
    for (int spin = 0; written == before && spin < 1000000; ++spin) written = host.LastReplyWrittenNs();
    overheadUs.push_back(static_cast<double>(returned - written) / 1000.0);
    roundTripUs.push_back(static_cast<double>(returned - sendStart) / 1000.0);
  }
  port.SetOwner(nullptr);
  port.Close();
  host.Stop();

  std::printf("exchanges %zu, no reply %d\n", overheadUs.size(), failures);
  using veyra::bench::PrintFigure;
  using veyra::bench::Quantile;
  PrintFigure("exchange_overhead_median", Quantile(overheadUs, 0.5) / 1000.0, "ms");
  PrintFigure("exchange_overhead_p99", Quantile(overheadUs, 0.99) / 1000.0, "ms");
  PrintFigure("exchange_round_trip_median", Quantile(roundTripUs, 0.5) / 1000.0, "ms");
  PrintFigure("exchange_overhead_min", Quantile(overheadUs, 0.0) / 1000.0, "ms");
  PrintFigure("exchange_overhead_max", Quantile(overheadUs, 1.0) / 1000.0, "ms");
  return failures == 0 ? 0 : 1;
}

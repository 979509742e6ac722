// The program's own share of a command exchange: from the simulated host writing the last byte of
// its reply on the pseudo-terminal to SendAndWait returning with the reply handled. Line time and
// the host's work are outside the measured span, so what is left is the reader thread's wake-up,
// recognition, hand-over and the waiting thread's wake-up.
//
// Then commands two at a time (arm, then disarm at once), a quiet millisecond between pairs: the
// gap from the first answer handed over to the second command read by the host, and the second
// exchange's own overhead. A host that answers within the reply window owes no copies, so the
// second command must not wait for the line to settle: its gap is the first command's send time.
//
// With "tcp" or "rfc2217" as the second argument the same runs through Debian's ser2net on
// 127.0.0.1 serving the host's pseudo-terminal, and the figures are named with that prefix: the
// span then holds the server's forwarding and the loopback connection as well.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchEnvironment.h"
#include "hostsim/PtyHost.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/SerialChannel.h"
#include "tests/common/Ser2net.h"

namespace {

class QuietLink : public veyra::HostLink {
 public:
  void OnReply(const veyra::Bytes&, const veyra::Bytes&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  const int exchanges = argc > 1 ? std::atoi(argv[1]) : 2000;
  const std::string transport = argc > 2 ? argv[2] : "";
  if (!transport.empty() && transport != "tcp" && transport != "rfc2217") {
    std::fprintf(stderr, "usage: veyra_exchange_bench [EXCHANGES [tcp|rfc2217]]\n");
    return 2;
  }
  veyra::bench::BenchEnvironment env;
  veyra::SetDiagnosticsEnabled(false);
  veyra::hostsim::PtyHost host;
  if (!host.Start()) {
    std::fprintf(stderr, "no pseudo-terminal\n");
    return 1;
  }
  env.MapPort(7, host.DevicePath());
  veyra::test::Ser2net server;
  if (!transport.empty() &&
      !server.Start({veyra::test::Ser2net::Serial(transport == "rfc2217", host.DevicePath())})) {
    std::fprintf(stderr, "ser2net did not start (tools/install-deps.sh installs it)\n");
    return 1;
  }
  veyra::HostPort port;
  QuietLink link;
  link.SetCommn(&port);
  if (!(transport.empty() ? link.OpenPort(7) : link.OpenDevicePort(server.Url(0), -1))) return 1;

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

  // Each command's arrival at the host, stamped by a thread woken as the host logs the frame.
  const std::size_t pairs = static_cast<std::size_t>(exchanges) / 2;
  std::vector<std::int64_t> arrivedNs(2 * pairs, 0);
  host.ClearLog();
  std::thread watcher([&] {
    for (std::size_t stamped = 0; stamped < arrivedNs.size();) {
      const std::size_t logged = std::min(host.WaitForFrames(stamped + 1, 5000), arrivedNs.size());
      if (logged <= stamped) return;
      const std::int64_t now = veyra::bench::NowNs();
      while (stamped < logged) arrivedNs[stamped++] = now;
    }
  });
  struct Pair {
    std::int64_t firstSent = 0, firstReturned = 0;
    double secondOverheadUs = 0;
  };
  std::vector<Pair> timed(pairs);
  int pairFailures = 0;
  for (Pair& pair : timed) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    link.ClearPayload();
    pair.firstSent = veyra::bench::NowNs();
    const int armed = link.SendAndWait({0x00, 0x09}, -1, -1);
    pair.firstReturned = veyra::bench::NowNs();
    const std::int64_t before = host.LastReplyWrittenNs();
    link.ClearPayload();
    const int disarmed = link.SendAndWait({0x00, 0x0A}, -1, -1);
    const std::int64_t returned = veyra::bench::NowNs();
    if (!armed || !disarmed) {
      ++pairFailures;
      continue;
    }
    std::int64_t written = host.LastReplyWrittenNs();
    for (int spin = 0; written == before && spin < 1000000; ++spin) written = host.LastReplyWrittenNs();
    pair.secondOverheadUs = static_cast<double>(returned - written) / 1000.0;
  }
  watcher.join();
  port.SetOwner(nullptr);
  port.Close();
  host.Stop();

  // A command written again is logged again, and the log no longer lines up with the pairs: a
  // run with any unanswered command gives no pair figures.
  std::vector<double> gapUs, firstSendUs, secondOverheadUs;
  for (std::size_t i = 0; i < pairs && pairFailures == 0; ++i) {
    const Pair& pair = timed[i];
    const std::int64_t firstArrived = arrivedNs[2 * i], secondArrived = arrivedNs[2 * i + 1];
    if (firstArrived == 0 || secondArrived == 0) continue;
    firstSendUs.push_back(static_cast<double>(firstArrived - pair.firstSent) / 1000.0);
    gapUs.push_back(static_cast<double>(secondArrived - pair.firstReturned) / 1000.0);
    secondOverheadUs.push_back(pair.secondOverheadUs);
  }

  std::printf("exchanges %zu, no reply %d\n", overheadUs.size(), failures);
  std::printf("pairs %zu, no reply %d\n", gapUs.size(), pairFailures);
  const std::string prefix = transport.empty() ? "" : transport + "_";
  const auto PrintFigure = [&prefix](const char* name, double value, const char* unit) {
    veyra::bench::PrintFigure(prefix + name, value, unit);
  };
  using veyra::bench::Quantile;
  PrintFigure("exchange_overhead_median", Quantile(overheadUs, 0.5) / 1000.0, "ms");
  PrintFigure("exchange_overhead_p99", Quantile(overheadUs, 0.99) / 1000.0, "ms");
  PrintFigure("exchange_round_trip_median", Quantile(roundTripUs, 0.5) / 1000.0, "ms");
  PrintFigure("exchange_overhead_min", Quantile(overheadUs, 0.0) / 1000.0, "ms");
  PrintFigure("exchange_overhead_max", Quantile(overheadUs, 1.0) / 1000.0, "ms");
  if (gapUs.empty()) return 1;
  PrintFigure("back_to_back_gap_median", Quantile(gapUs, 0.5) / 1000.0, "ms");
  PrintFigure("back_to_back_gap_p99", Quantile(gapUs, 0.99) / 1000.0, "ms");
  PrintFigure("back_to_back_gap_max", Quantile(gapUs, 1.0) / 1000.0, "ms");
  PrintFigure("lone_command_send_median", Quantile(firstSendUs, 0.5) / 1000.0, "ms");
  PrintFigure("back_to_back_overhead_median", Quantile(secondOverheadUs, 0.5) / 1000.0, "ms");
  PrintFigure("back_to_back_overhead_p99", Quantile(secondOverheadUs, 0.99) / 1000.0, "ms");
  return failures == 0 && pairFailures == 0 ? 0 : 1;
}

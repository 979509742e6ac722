// Records per second from an unpaced simulated host through the recogniser, the decoder and the
// window's table, headless: the alarm log into the history dialog and device frames into the
// sensors dialog's list page, for answers of 100, 1,000 and 10,000 records. The cost per record
// at the largest size against the smallest shows any growth worse than linear.
#include <QApplication>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/BenchEnvironment.h"
#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/HistoryCodec.h"
#include "features/sensors/CSensorListPage.h"
#include "features/sensors/CSensorsDlg.h"
#include "features/sensors/SensorListCodec.h"
#include "hostsim/AlarmState.h"
#include "hostsim/DeviceState.h"
#include "hostsim/PtyHost.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "link/SerialChannel.h"

namespace {

constexpr int kCom = 7;
std::vector<int> g_sizes = {100, 1000, 10000};

// Any box would stand for a failed run; none may block the benchmark.
class CountingNotifier : public veyra::Notifier {
 public:
  void Show(const veyra::Message& message) override {
    ++shown;
    std::fprintf(stderr, "message: %s\n", message.text.c_str());
  }
  int shown = 0;
};

// Processes events until done() or the bound; false on the bound.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const std::int64_t giveUp = veyra::bench::NowNs() + std::int64_t{timeoutMs} * 1000000;
  while (!done()) {
    if (veyra::bench::NowNs() > giveUp) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// A read waits for a quiet line first (the answers have no end marker); that wait is not the
// stream's cost, so it is spent before the clock starts.
void LetLineGoQuiet() {
  const std::int64_t until =
      veyra::bench::NowNs() + std::int64_t{veyra::ExchangeSettings::waittime.load() + 50} * 1000000;
  PumpUntil([&] { return veyra::bench::NowNs() > until; }, 60000);
}

void FillLog(veyra::hostsim::PtyHost& host, int records) {
  auto lock = host.Lock();
  host.Host().Handle(veyra::BuildFrame(veyra::alarm::HistoryErasePayload()));
  for (int i = 0; i < records; ++i) {
    veyra::hostsim::LogEntry entry;
    entry.source = static_cast<std::uint8_t>(i % 16);
    entry.event = static_cast<std::uint8_t>((i / 16) % 16);
    entry.zone = static_cast<std::uint8_t>(i % 99);
    entry.month = static_cast<std::uint8_t>(1 + i % 12);
    entry.day = static_cast<std::uint8_t>(1 + i % 28);
    entry.hour = static_cast<std::uint8_t>(i % 24);
    entry.minute = static_cast<std::uint8_t>(i % 60);
    host.Host().Alarm().AddLogEntry(entry);
  }
}

// The host's device table holds at most a few dozen devices, so a longer answer is the host's
// own device frames repeated: the table keeps one device, and its one frame is answered with the
// whole stream instead.
void FillDeviceAnswer(veyra::hostsim::PtyHost& host, int records) {
  static std::vector<veyra::Bytes> frames;  // the seed table's frames, before it is cut down
  if (frames.empty()) {
    auto lock = host.Lock();
    for (const veyra::Bytes& frame :
         host.Host().Handle(veyra::BuildFrame(veyra::sensors::SensorListPayload())))
      if (veyra::sensors::SensorListRow(frame, veyra::sensors::kFilterAll)) frames.push_back(frame);
    const std::optional<veyra::hostsim::HostSensor> first = host.Host().Devices().Sensor(1);
    host.Host().Devices().Clear();
    host.Host().Devices().SetSensor(1, first);
  }
  veyra::Bytes stream;
  for (int i = 0; i < records; ++i) {
    const veyra::Bytes& frame = frames[static_cast<std::size_t>(i) % frames.size()];
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  veyra::hostsim::Faults faults;
  faults.replaceReply = stream;
  host.SetFaults(faults);
}

struct Run {
  int records = 0;
  double seconds = 0;
  bool complete = false;
  int placed = 0;
};

// Ends when every record has its row, or when no row has been added for a second: a record the
// recogniser misses must not stall the run. The rate counts the rows placed up to the last one.
template <class Start, class Placed>
Run Measure(int records, Start start, Placed placed) {
  LetLineGoQuiet();
  Run run;
  run.records = records;
  const std::int64_t begin = veyra::bench::NowNs();
  start();
  int seen = placed();
  std::int64_t lastRow = veyra::bench::NowNs();
  run.complete = PumpUntil(
                     [&] {
                       const std::int64_t now = veyra::bench::NowNs();
                       if (placed() != seen) {
                         seen = placed();
                         lastRow = now;
                       }
                       return seen >= records || now - lastRow > 1000000000;
                     },
                     120000) &&
                 seen >= records;
  run.placed = seen;
  run.seconds = static_cast<double>(lastRow - begin) / 1e9;
  return run;
}

void Report(const char* what, const std::vector<Run>& runs) {
  using veyra::bench::PrintFigure;
  for (const Run& run : runs) {
    PrintFigure(std::string(what) + "_lost_" + std::to_string(run.records), run.records - run.placed,
                "records");
    PrintFigure(std::string(what) + "_per_s_" + std::to_string(run.records), run.placed / run.seconds,
                "records/s");
  }
  const double small = runs.front().seconds / runs.front().placed;
  const double large = runs.back().seconds / runs.back().placed;
  PrintFigure(std::string(what) + "_cost_growth", large / small, "x");
}

// The best of a few runs per size: the machine's other load only ever slows a run down.
template <class Prepare, class Start, class Placed>
std::vector<Run> Sizes(Prepare prepare, Start start, Placed placed) {
  std::vector<Run> best;
  for (const int records : g_sizes) {
    prepare(records);
    Run fastest;
    for (int repeat = 0; repeat < 3; ++repeat) {
      const Run run = Measure(records, start, placed);
      std::fprintf(stderr, "%d records: %.3f s, %d placed\n", records, run.seconds, run.placed);
      if (repeat == 0 || (run.complete && run.seconds < fastest.seconds)) fastest = run;
    }
    best.push_back(fastest);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc > 1) {
    g_sizes.clear();
    for (int i = 1; i < argc; ++i) g_sizes.push_back(std::atoi(argv[i]));
  }
  veyra::bench::BenchEnvironment env;
  veyra::SetDiagnosticsEnabled(false);
  CountingNotifier notifier;
  veyra::SetNotifier(&notifier);
  veyra::hostsim::PtyHost host;
  if (!host.Start()) return 1;
  env.MapPort(kCom, host.DevicePath());
  veyra::HostPort port;
  if (port.OpenCom(kCom) != 1) return 1;
  veyra::HostFound = 1;
  veyra::ExchangeSettings::waittime = 1000;  // until the first exchange reads [timeout]

  {
    CAlarmHistoryDlg history;
    history.SetCommn(&port);
    history.show();
    Report("history", Sizes([&](int records) { FillLog(host, records); }, [&] { history.OnRefresh(); },
                            [&] { return history.LastRow(); }));
  }
  {
    CSensorsDlg sensors;
    sensors.SetCommn(&port);
    sensors.show();
    CSensorListPage* list = sensors.ListPage();
    Report("sensors", Sizes([&](int records) { FillDeviceAnswer(host, records); }, [&] { list->OnCheck(); },
                            [&] { return list->LastRow(); }));
  }
  port.SetOwner(nullptr);
  port.Close();
  host.Stop();
  veyra::HostFound = 0;
  veyra::SetNotifier(nullptr);
  return notifier.shown == 0 ? 0 : 1;
}

// How soon a list of known length ends once its last frame is in: the twelve telephone numbers and
// the three timer groups, read as veyractl reads them (session::ReadList on a FrameQueue, complete
// when every slot or group has been seen) from a simulated host paced at 9600 baud. The figure is
// the time from the start of the host's write of the list's last byte to ReadList returning, in
// frame times of the last frame (its bytes at 1.04 ms each). A list that waited for a quiet reply
// window instead would show the whole window, about sixty frame times at the default 1,000 ms.
//
// Given the path of veyractl, it also times `veyractl phones` and `veyractl timers` end to end,
// process start to exit, against the same paced host.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchEnvironment.h"
#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "hostsim/PtyHost.h"
#include "link/HostPort.h"
#include "session/FrameQueue.h"

extern char** environ;

namespace {

using veyra::Bytes;
using veyra::bench::NowNs;

constexpr double kByteMs = 1.04;  // ten bits at 9600 baud

// The host stamps a frame's last write only after its pacing pause, and ReadList may return
// before that: the stamp is taken once it has stayed put for a few milliseconds.
std::int64_t SettledReplyStamp(const veyra::hostsim::PtyHost& host) {
  std::int64_t stamp = host.LastReplyWrittenNs();
  std::int64_t since = NowNs();
  for (const std::int64_t end = since + 1'000'000'000; NowNs() < end;) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    const std::int64_t now = host.LastReplyWrittenNs();
    if (now != stamp) {
      stamp = now;
      since = NowNs();
    } else if (NowNs() - since > 5'000'000) {
      break;
    }
  }
  return stamp;
}

// One list as veyractl reads it: the command, and a take that says when the list is complete.
struct ListRead {
  const char* name;
  Bytes payload;
  // Called before each read; returns the take for that read.
  std::function<std::function<bool(const Bytes&)>(const Bytes& sent)> newTake;
};

ListRead PhonesRead() {
  return {"phones", veyra::alarm::PhoneReadPayload(), [](const Bytes&) {
            auto seen = std::make_shared<std::array<bool, veyra::alarm::kPhoneSlotCount>>();
            return [seen](const Bytes& frame) {
              if (const auto number = veyra::alarm::DecodePhoneFrame(frame)) (*seen)[number->slot - 1] = true;
              return std::all_of(seen->begin(), seen->end(), [](bool slot) { return slot; });
            };
          }};
}

ListRead TimersRead() {
  return {"timers", veyra::alarm::TimedLookupPayload(), [](const Bytes& sent) {
            auto seen = std::make_shared<std::array<bool, veyra::alarm::TimedGroupNames.size()>>();
            return [seen, sent](const Bytes& frame) {
              const auto schedule = veyra::alarm::TimedLookupRecord(sent, frame);
              if (!schedule) return false;
              if (schedule->group >= 1 && schedule->group <= static_cast<int>(seen->size()))
                (*seen)[schedule->group - 1] = true;
              return std::all_of(seen->begin(), seen->end(), [](bool group) { return group; });
            };
          }};
}

struct ListFigures {
  std::vector<double> endFrameTimes, readMs;
  double lineMs = 0;  // the list's frames on the line
  std::size_t lastFrameBytes = 0;
  int failures = 0;
};

ListFigures TimeList(veyra::session::FrameQueue& queue, const veyra::hostsim::PtyHost& host,
                     const ListRead& list, int runs) {
  ListFigures figures;
  for (int run = 0; run < runs; ++run) {
    const std::int64_t sent = NowNs();
    if (!queue.Send(list.payload)) {
      ++figures.failures;
      continue;
    }
    const auto take = list.newTake(queue.SentFrame());
    Bytes last;
    std::size_t listBytes = 0;
    const veyra::session::ListEnd end = veyra::session::ReadList(
        queue, veyra::session::QuietMs(), veyra::session::kShortListBounds, [&](const Bytes& frame) {
          last = frame;
          listBytes += frame.size();
          return take(frame);
        });
    const std::int64_t returned = NowNs();
    const std::int64_t written = SettledReplyStamp(host);
    if (end != veyra::session::ListEnd::Complete || last.empty()) {
      ++figures.failures;
      continue;
    }
    const double frameMs = static_cast<double>(last.size()) * kByteMs;
    figures.endFrameTimes.push_back(static_cast<double>(returned - written) / 1e6 / frameMs);
    figures.readMs.push_back(static_cast<double>(returned - sent) / 1e6);
    figures.lineMs = static_cast<double>(listBytes) * kByteMs;
    figures.lastFrameBytes = last.size();
  }
  return figures;
}

// Seconds from spawning veyractl to its exit; negative when it failed.
double RunVeyractl(const std::string& veyractl, const char* command) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string port = "COM7";
  std::vector<char*> argv = {const_cast<char*>(veyractl.c_str()), const_cast<char*>("--port"), port.data(),
                             const_cast<char*>(command), nullptr};
  const std::int64_t start = NowNs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, veyractl.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  const std::int64_t end = NowNs();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return static_cast<double>(end - start) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::string veyractl = argc > 2 ? argv[2] : "";
  veyra::bench::BenchEnvironment env;
  veyra::SetDiagnosticsEnabled(false);
  veyra::hostsim::PtyHost host;
  if (!host.Start()) {
    std::fprintf(stderr, "no pseudo-terminal\n");
    return 1;
  }
  veyra::hostsim::Faults faults;
  faults.pace = true;
  host.SetFaults(faults);
  env.MapPort(7, host.DevicePath());

  using veyra::bench::PrintFigure;
  using veyra::bench::Quantile;
  int failures = 0;
  {
    veyra::HostPort port;
    veyra::session::FrameQueue queue;
    queue.SetCommn(&port);
    if (!queue.OpenPort(7)) return 1;
    for (const ListRead& list : {PhonesRead(), TimersRead()}) {
      ListFigures figures = TimeList(queue, host, list, runs);
      failures += figures.failures;
      const std::string name = list.name;
      std::printf(
          "%s: %zu reads, %d not complete; the list takes %.1f ms on the line, its last frame %zu bytes\n",
          list.name, figures.endFrameTimes.size(), figures.failures, figures.lineMs, figures.lastFrameBytes);
      PrintFigure(name + "_list_end_frames_median", Quantile(figures.endFrameTimes, 0.5), "frames");
      PrintFigure(name + "_list_end_frames_max", Quantile(figures.endFrameTimes, 1.0), "frames");
      PrintFigure(name + "_list_read_median", Quantile(figures.readMs, 0.5), "ms");
      PrintFigure(name + "_list_line", figures.lineMs, "ms");
    }
    port.SetOwner(nullptr);
    port.Close();
  }

  if (!veyractl.empty()) {
    for (const char* command : {"phones", "timers"}) {
      std::vector<double> seconds;
      for (int run = 0; run < 5; ++run) {
        const double took = RunVeyractl(veyractl, command);
        if (took < 0)
          ++failures;
        else
          seconds.push_back(took);
      }
      std::printf("veyractl %s: %zu of 5 runs succeeded\n", command, seconds.size());
      PrintFigure(std::string("veyractl_") + command + "_median", Quantile(seconds, 0.5), "s");
    }
  }
  host.Stop();
  return failures == 0 ? 0 : 1;
}

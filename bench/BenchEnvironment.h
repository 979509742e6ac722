// A private config.ini and COM-port directory for a benchmark, so a run never touches the user's
// files or ports, and the figures a benchmark prints in one shape for bench/run.sh.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "link/Config.h"

namespace veyra::bench {

class BenchEnvironment {
 public:
  BenchEnvironment() {
    char pattern[] = "/tmp/veyra-bench-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(dir_ + "/ports");
    // No kernel serial ports: the machine's own adapters must not slow the port list down.
    std::filesystem::create_directories(dir_ + "/sys/class/tty");
    ::setenv("VEYRA_SYSFS_ROOT", (dir_ + "/sys").c_str(), 1);
    ::setenv("VEYRA_CONFIG_PATH", (dir_ + "/config.ini").c_str(), 1);
    ::setenv("VEYRA_PORTS_DIR", (dir_ + "/ports").c_str(), 1);
    EnsureDefaultConfig();
  }
  ~BenchEnvironment() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  BenchEnvironment(const BenchEnvironment&) = delete;
  BenchEnvironment& operator=(const BenchEnvironment&) = delete;

  void MapPort(int n, const std::string& device) const {
    const std::string link = dir_ + "/ports/COM" + std::to_string(n);
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    std::filesystem::create_symlink(device, link);
  }

 private:
  std::string dir_;
};

inline std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// q in [0, 1]; the values are sorted in place.
inline double Quantile(std::vector<double>& values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

// One line per figure: "figure <name> <value> <unit>", read by bench/run.sh.
inline void PrintFigure(const std::string& name, double value, const char* unit) {
  std::printf("figure %s %.6g %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

}  // namespace veyra::bench

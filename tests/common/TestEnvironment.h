// A private config.ini, ports directory and settings directory per test, so tests never touch the
// user's files.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/Config.h"

namespace veyra::test {

class TestEnvironment {
 public:
  TestEnvironment() {
    char pattern[] = "/tmp/veyra-test-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(dir_ + "/ports");
    // An empty kernel port list: the machine's own serial ports stay out of the tests.
    std::filesystem::create_directories(dir_ + "/sys/class/tty");
    ::setenv("VEYRA_SYSFS_ROOT", (dir_ + "/sys").c_str(), 1);
    ::setenv("VEYRA_SERIAL_BY_ID_DIR", (dir_ + "/by-id").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "/xdg").c_str(), 1);  // the window's remembered port and place
    ::setenv("VEYRA_CONFIG_PATH", ConfigPath().c_str(), 1);
    ::setenv("VEYRA_PORTS_DIR", (dir_ + "/ports").c_str(), 1);
    WriteConfig(DefaultConfigText());
  }
  ~TestEnvironment() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  const std::string& Dir() const { return dir_; }
  std::string ConfigPath() const { return dir_ + "/config.ini"; }
  void WriteConfig(const std::string& text) const {
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << text;
  }
  // The default config.ini with another [timeout].
  void SetTimeouts(int times, int waittime) const {
    std::string text = DefaultConfigText();
    const auto replace = [&text](const std::string& from, const std::string& to) {
      text.replace(text.find(from), from.size(), to);
    };
    replace("times=3", "times=" + std::to_string(times));
    replace("waittime=1000", "waittime=" + std::to_string(waittime));
    WriteConfig(text);
  }
  // Makes COMn name the device.
  void MapPort(int n, const std::string& device) const {
    const std::string link = dir_ + "/ports/COM" + std::to_string(n);
    ::unlink(link.c_str());
    std::filesystem::create_symlink(device, link);
  }

 private:
  std::string dir_;
};

}  // namespace veyra::test

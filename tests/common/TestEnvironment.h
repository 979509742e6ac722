// A private config.ini, ports directory and settings directory per test, so tests never touch the
// user's files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/Config.h"
#include "link/InProcessDevice.h"
#include "tests/common/ScratchDir.h"

namespace veyra::test {

class TestEnvironment {
 public:
  // The GUI tests that run under Wine take one too: the folder and the variables work alike there.
  TestEnvironment() : dir_(scratch_.Path("env")) {
    std::filesystem::create_directories(dir_ + "/ports");
    // An empty kernel port list: the machine's own serial ports stay out of the tests.
    std::filesystem::create_directories(dir_ + "/sys/class/tty");
    SetVariable("VEYRA_SYSFS_ROOT", dir_ + "/sys");
    SetVariable("VEYRA_SERIAL_BY_ID_DIR", dir_ + "/by-id");
    SetVariable("XDG_CONFIG_HOME", dir_ + "/xdg");  // the window's remembered port and place
#ifdef _WIN32
    SetVariable("APPDATA", dir_ + "/xdg");  // the same on Windows
#endif
    SetVariable("VEYRA_CONFIG_PATH", ConfigPath());
    SetVariable("VEYRA_PORTS_DIR", dir_ + "/ports");
    WriteConfig(DefaultConfigText());
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
  // Makes COMn name the device. An in-process device (the hosts of the tests on Windows) takes the
  // number itself, while it is registered.
  void MapPort(int n, const std::string& device) const {
    if (IsInProcessDevice(device)) {
      RenumberInProcessDevice(device, n);
      return;
    }
    const std::string link = dir_ + "/ports/COM" + std::to_string(n);
    std::error_code absent;
    std::filesystem::remove(link, absent);
    std::filesystem::create_symlink(device, link);
  }

 private:
  static void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
  }

  ScratchDir scratch_;  // removed with everything in it when the test ends
  std::string dir_;
};

}  // namespace veyra::test

#include "hostsim/DemoPorts.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "link/ComPorts.h"

namespace veyra::hostsim {

namespace fs = std::filesystem;

DemoPorts::DemoPorts(std::string password)
    : password_(std::move(password)), host_(std::make_unique<PtyHost>(password_)) {}

DemoPorts::~DemoPorts() {
  host_->Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
}

bool DemoPorts::Start() {
  if (!host_->Start()) return false;
  const PortSources user = DefaultPortSources();
  char pattern[] = "/tmp/veyra-demo-XXXXXX";
  if (!::mkdtemp(pattern)) return false;
  dir_ = pattern;

  std::set<int> taken;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(user.portsDir, ec)) {
    const std::string name = entry.path().filename().string();
    const int n = ParsePortNumber(name);
    if (name.rfind("COM", 0) != 0 || n <= 0) continue;
    std::error_code linkError;
    const fs::path target = fs::read_symlink(entry.path(), linkError);
    if (linkError) continue;
    fs::create_symlink(target.is_absolute() ? target : entry.path().parent_path() / target,
                       fs::path(dir_) / name, linkError);
  }
  if (const auto ports = ListComPorts({user.portsDir, user.sysfsRoot}))
    for (const ComPort& port : *ports) taken.insert(port.number);
  // The lowest free number, so "Авто" reaches the demo host early.
  comNumber_ = 1;
  while (taken.count(comNumber_)) ++comNumber_;
  fs::create_symlink(host_->DevicePath(), fs::path(dir_) / ("COM" + std::to_string(comNumber_)), ec);
  if (ec) return false;
  ::setenv("VEYRA_PORTS_DIR", dir_.c_str(), 1);
  return true;
}

}  // namespace veyra::hostsim

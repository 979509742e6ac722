#include "hostsim/DemoPorts.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "link/ComPorts.h"

namespace veyra::hostsim {

namespace fs = std::filesystem;

namespace {

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by the handler, written only while the handlers are not installed.
const std::vector<std::string>* g_links = nullptr;
const char* g_dir = nullptr;

// unlink, rmdir, signal and raise are async-signal-safe; the strings were built beforehand.
void RemoveLinksAndEnd(int signal) {
  if (g_links)
    for (const std::string& link : *g_links) ::unlink(link.c_str());
  if (g_dir) ::rmdir(g_dir);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

DemoPorts::DemoPorts(std::string password)
    : password_(std::move(password)), host_(std::make_unique<PtyHost>(password_)) {}

DemoPorts::~DemoPorts() {
  if (removeOnSignals_) {
    for (const int signal : kCleanupSignals) ::signal(signal, SIG_DFL);
    g_links = nullptr;
    g_dir = nullptr;
  }
  host_->Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
}

bool DemoPorts::Start() {
  if (!host_->Start()) return false;
  const PortSources user = DefaultPortSources();
  std::error_code tmpError;
  std::string pattern = (fs::temp_directory_path(tmpError) / "veyra-demo-XXXXXX").string();
  if (tmpError || !::mkdtemp(pattern.data())) return false;
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
    if (!linkError) links_.push_back((fs::path(dir_) / name).string());
  }
  if (const auto ports = ListComPorts({user.portsDir, user.sysfsRoot}))
    for (const ComPort& port : *ports) taken.insert(port.number);
  // The lowest free number, so "Авто" reaches the demo host early.
  comNumber_ = 1;
  while (taken.count(comNumber_)) ++comNumber_;
  const fs::path demoLink = fs::path(dir_) / ("COM" + std::to_string(comNumber_));
  fs::create_symlink(host_->DevicePath(), demoLink, ec);
  if (ec) return false;
  links_.push_back(demoLink.string());
  ::setenv("VEYRA_PORTS_DIR", dir_.c_str(), 1);
  return true;
}

void DemoPorts::RemoveOnSignals() {
  if (dir_.empty() || removeOnSignals_) return;
  g_links = &links_;
  g_dir = dir_.c_str();
  struct sigaction action {};
  action.sa_handler = RemoveLinksAndEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : kCleanupSignals) sigaction(signal, &action, nullptr);
  removeOnSignals_ = true;
}

}  // namespace veyra::hostsim

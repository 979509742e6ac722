// Where config.ini lives on Linux: beside the executable (found through /proc/self/exe) for a
// portable copy, else in the XDG configuration directory.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "link/Config.h"

namespace veyra {
namespace {

constexpr const char* kFileName = "config.ini";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  return exe.parent_path().string();
}

std::string HomeDirectory() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir) {
    home = found->pw_dir;
  }
  return home;
}

// XDG takes a relative XDG_CONFIG_HOME as unset.
std::string UserDirectory(const std::string& xdgConfigHome, const std::string& home) {
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') return xdgConfigHome + "/veyra-setup";
  if (!home.empty()) return home + "/.config/veyra-setup";
  return {};
}

}  // namespace

std::string UserConfigDirectory() { return UserDirectory(Env("XDG_CONFIG_HOME"), HomeDirectory()); }

std::string ResolveConfigPath(const ConfigPathInputs& in) {
  if (!in.overridePath.empty()) return in.overridePath;
  if (!in.exeDir.empty() && in.exeDirUsable) return in.exeDir + "/" + kFileName;
  const std::string user = UserDirectory(in.xdgConfigHome, in.home);
  // With no home at all, the executable's directory is the only place left to name; writing
  // there fails and start-up says so.
  if (user.empty()) return (in.exeDir.empty() ? std::string(".") : in.exeDir) + "/" + kFileName;
  return user + "/" + kFileName;
}

bool ExecutableDirectoryUsable(const std::string& exeDir, bool configThere, bool writable) {
  if (configThere) return true;
  std::filesystem::path dir = std::filesystem::path(exeDir).lexically_normal();
  if (dir.filename().empty()) dir = dir.parent_path();  // a trailing slash
  return writable && dir.filename() != "bin";
}

std::string GetConfigPath() {
  ConfigPathInputs in;
  in.overridePath = Env("VEYRA_CONFIG_PATH");
  if (!in.overridePath.empty()) return in.overridePath;
  in.exeDir = ExecutableDirectory();
  if (!in.exeDir.empty()) {
    const std::string there = in.exeDir + "/" + kFileName;
    in.exeDirUsable = ExecutableDirectoryUsable(in.exeDir, ::access(there.c_str(), F_OK) == 0,
                                                ::access(in.exeDir.c_str(), W_OK) == 0);
  }
  if (!in.exeDirUsable) {
    in.xdgConfigHome = Env("XDG_CONFIG_HOME");
    in.home = HomeDirectory();
  }
  return ResolveConfigPath(in);
}

}  // namespace veyra

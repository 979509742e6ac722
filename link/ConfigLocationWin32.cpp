// Where config.ini lives on Windows: beside the executable when a config.ini is there or the
// directory takes a new file (a portable copy), else %APPDATA%\veyra-setup\config.ini.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "link/Config.h"

namespace veyra {
namespace {

constexpr const char* kFileName = "config.ini";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string ExecutableDirectory() {
  char path[MAX_PATH + 1];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string exe(path, length);
  const auto slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Directory access rights on Windows say little (Program Files reports writable to access());
// creating a file is the one test that answers.
bool DirectoryTakesFiles(const std::string& dir) {
  const std::string probe = dir + "\\.veyra-setup-write-test";
  const HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

}  // namespace

std::string UserConfigDirectory() {
  const std::string appData = Env("APPDATA");
  return appData.empty() ? std::string() : appData + "\\veyra-setup";
}

std::string ResolveConfigPath(const ConfigPathInputs& in) {
  if (!in.overridePath.empty()) return in.overridePath;
  if (!in.exeDir.empty() && in.exeDirUsable) return in.exeDir + "\\" + kFileName;
  if (!in.appData.empty()) return in.appData + "\\veyra-setup\\" + kFileName;
  // With no profile at all, the executable's directory is the only place left to name; writing
  // there fails and start-up says so.
  return (in.exeDir.empty() ? std::string(".") : in.exeDir) + "\\" + kFileName;
}

// No bin rule here: an installed program lives under Program Files, which takes no file without
// elevation, so a folder that takes one is a portable copy.
bool ExecutableDirectoryUsable(const std::string&, bool configThere, bool writable) {
  return configThere || writable;
}

std::string GetConfigPath() {
  ConfigPathInputs in;
  in.overridePath = Env("VEYRA_CONFIG_PATH");
  if (!in.overridePath.empty()) return in.overridePath;
  in.exeDir = ExecutableDirectory();
  if (!in.exeDir.empty()) {
    const bool configThere = Exists(in.exeDir + "\\" + kFileName);
    // The probe writes a file: only asked when the answer matters.
    in.exeDirUsable =
        ExecutableDirectoryUsable(in.exeDir, configThere, !configThere && DirectoryTakesFiles(in.exeDir));
  }
  if (!in.exeDirUsable) in.appData = Env("APPDATA");
  return ResolveConfigPath(in);
}

}  // namespace veyra

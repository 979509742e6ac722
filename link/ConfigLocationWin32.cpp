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

std::string GetConfigPath() {
  if (std::string path = Env("VEYRA_CONFIG_PATH"); !path.empty()) return path;
  const std::string exeDir = ExecutableDirectory();
  if (!exeDir.empty()) {
    const std::string there = exeDir + "\\" + kFileName;
    if (Exists(there) || DirectoryTakesFiles(exeDir)) return there;
  }
  if (std::string appData = Env("APPDATA"); !appData.empty()) return appData + "\\veyra-setup\\" + kFileName;
  // With no profile at all, the executable's directory is the only place left to name; writing
  // there fails and start-up says so.
  return (exeDir.empty() ? std::string(".") : exeDir) + "\\" + kFileName;
}

}  // namespace veyra

// Writing a whole file atomically on Windows: a fresh temporary file created with CREATE_NEW beside
// it (never through a link: the reparse point itself is opened), flushed, then moved over the
// file with MoveFileEx, which replaces the name as rename does on POSIX.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "link/TextFile.h"

namespace veyra {

namespace {

std::string SystemText(DWORD code) {
  std::string text;
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text.empty() ? "Error " + std::to_string(code) : text;
}

std::string Failure(const char* what, const std::string& path, DWORD code) {
  return std::string(what) + " " + path + ": " + SystemText(code);
}

// Why path cannot be replaced by a new regular file; empty when it can (it is one, or missing).
std::string RefusalFor(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
    return "cannot write " + path + ": it is a symbolic link; give the path of the file itself";
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return "cannot write " + path + ": it exists and is not a regular file";
  return {};
}

HANDLE CreateTemporary(const std::string& path, std::string& temporary) {
  std::random_device device;
  std::mt19937 random(device() ^ static_cast<unsigned>(::GetCurrentProcessId()) ^
                      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    temporary = path + suffix;
    const HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view content) {
  std::size_t written = 0;
  while (written < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(file, content.data() + written, chunk, &n, nullptr)) return false;
    written += n;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  if (std::string refusal = RefusalFor(path); !refusal.empty()) {
    error = std::move(refusal);
    return false;
  }
  std::string temporary;
  const HANDLE file = CreateTemporary(path, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    error = Failure("cannot write", path, ::GetLastError());
    return false;
  }
  DWORD failure = 0;
  if (!WriteAll(file, content) || !::FlushFileBuffers(file)) failure = ::GetLastError();
  if (!::CloseHandle(file) && !failure) failure = ::GetLastError();
  if (failure) {
    error = Failure("cannot write", path, failure);
    ::DeleteFileA(temporary.c_str());
    return false;
  }
  if (!::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Failure("cannot rename over", path, ::GetLastError());
    ::DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace veyra

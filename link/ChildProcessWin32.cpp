// Copies of this program on Windows: CreateProcessW of the module's own file, each output pipe
// drained by a thread of its own so that no child blocks on a full pipe.
#include <windows.h>

#include <thread>

#include "link/ChildProcess.h"

namespace veyra {
namespace {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

// One argument quoted as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"')
      out.append(backslashes * 2 + 1, L'\\');
    else
      out.append(backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

void Drain(HANDLE pipe, std::string& into) {
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) into.append(buffer, n);
  ::CloseHandle(pipe);
}

}  // namespace

std::vector<ChildResult> RunSelfInParallel(const std::vector<std::vector<std::string>>& argumentLists) {
  wchar_t self[MAX_PATH * 2];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::vector<ChildResult> results(argumentLists.size());
  std::vector<HANDLE> processes(argumentLists.size(), nullptr);
  std::vector<std::thread> readers;
  for (std::size_t i = 0; i < argumentLists.size() && length > 0; ++i) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!::CreatePipe(&outRead, &outWrite, &inherit, 0)) continue;
    if (!::CreatePipe(&errRead, &errWrite, &inherit, 0)) {
      ::CloseHandle(outRead);
      ::CloseHandle(outWrite);
      continue;
    }
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = Quoted(self);
    for (const std::string& arg : argumentLists[i]) commandLine += L" " + Quoted(Widen(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &info);
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    if (!started) {
      ::CloseHandle(outRead);
      ::CloseHandle(errRead);
      continue;
    }
    ::CloseHandle(info.hThread);
    processes[i] = info.hProcess;
    readers.emplace_back(Drain, outRead, std::ref(results[i].out));
    readers.emplace_back(Drain, errRead, std::ref(results[i].err));
  }
  for (std::thread& reader : readers) reader.join();
  for (std::size_t i = 0; i < processes.size(); ++i) {
    if (!processes[i]) continue;
    ::WaitForSingleObject(processes[i], INFINITE);
    DWORD code = 0;
    results[i].status = ::GetExitCodeProcess(processes[i], &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(processes[i]);
  }
  return results;
}

}  // namespace veyra

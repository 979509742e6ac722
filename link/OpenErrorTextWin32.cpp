// The system's text for a Win32 error code (FormatMessage), with a hint where the cause is common.
#include <windows.h>

#include "link/NetworkPort.h"
#include "link/OpenErrorText.h"

namespace veyra {

const int kNoSuchDeviceError = ERROR_FILE_NOT_FOUND;
const int kBusyDeviceError = ERROR_ACCESS_DENIED;

std::string OpenErrorText(int err) {
  if (const char* network = NetworkErrorText(err)) return network;
  std::string text;
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(err), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) ::LocalFree(buffer);
  // The messages end with a full stop and CR LF; the hints below start a sentence of their own.
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  if (text.empty()) text = err ? "Error " + std::to_string(err) : "Unknown error";
  switch (err) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      text += ". Another program holds the port: close it there first.";
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST:
      text += ". The device is not there: check that the adapter is plugged in.";
      break;
    default:
      break;
  }
  return text;
}

}  // namespace veyra

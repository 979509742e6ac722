#include <cerrno>
#include <cstring>

#include "link/NetworkPort.h"
#include "link/OpenErrorText.h"

namespace veyra {

const int kNoSuchDeviceError = ENOENT;
const int kBusyDeviceError = EBUSY;

std::string OpenErrorText(int err) {
  if (const char* network = NetworkErrorText(err)) return network;
  std::string text = err ? std::strerror(err) : "Unknown error";
  switch (err) {
    case EACCES:
    case EPERM:
      text += ". Add your user to the 'dialout' group (sudo usermod -aG dialout $USER), then log in again.";
      break;
    case EBUSY:
      text += ". Another program holds the port; for ttyACM devices ModemManager is a usual suspect.";
      break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      text += ". The device is not there: check that the adapter is plugged in.";
      break;
    default:
      break;
  }
  return text;
}

}  // namespace veyra

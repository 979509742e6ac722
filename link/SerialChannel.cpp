// What every platform's serial channel shares: the event texts, where diagnostics go, the write
// queue and the notification path. The reader thread itself lives in SerialChannelPosix.cpp or
// SerialChannelWin32.cpp.
#include "link/SerialChannel.h"

#include <cstring>
#include <optional>

#include "link/ComPorts.h"
#include "link/InProcessDevice.h"
#include "link/NetworkPort.h"
#include "link/OpenErrorText.h"

namespace veyra {
namespace {

std::atomic<std::FILE*> g_diagnostics{nullptr};
std::atomic<bool> g_diagnosticsEnabled{true};

}  // namespace

const char* PortEventText(PortEvent kind) {
  switch (kind) {
    case PortEvent::Connected:
      return "Connected ! \n";
    case PortEvent::Disconnected:
      return "Disonnected ! \n";
    case PortEvent::DataSent:
      return "Data sent ! \n";
    case PortEvent::DataReceived:
      return nullptr;
    case PortEvent::Ring:
      return "DRING ! \n";
    case PortEvent::CarrierDetected:
      return "Carrier Detected ! \n";
    case PortEvent::NoCarrier:
      return "No more carrier ! \n";
  }
  return nullptr;
}

void SetDiagnosticStream(std::FILE* stream) { g_diagnostics.store(stream); }
void SetDiagnosticsEnabled(bool enabled) { g_diagnosticsEnabled.store(enabled); }
std::FILE* DiagnosticStream() {
  std::FILE* stream = g_diagnostics.load();
  return stream ? stream : stdout;
}

bool SerialChannel::OnReaderThread() const {
  return thread_.joinable() && thread_.get_id() == std::this_thread::get_id();
}

void SerialChannel::WakeReader() {
  Wake();
  WakeInProcess();
  WakeNetwork();
}

void SerialChannel::Shutdown() {
  if (OnReaderThread()) {
    stop_ = true;
    WakeReader();
    return;
  }
  if (thread_.joinable()) {
    stop_ = true;
    WakeReader();
    thread_.join();
  }
  CloseDevice();
  CloseInProcess();
  CloseNetwork();
}

int SerialChannel::Open(const std::string& device, int baudRate, int parity, int dataBits,
                        bool monitorEvents) {
  const bool inProcess = IsInProcessDevice(device);
  if (!inProcess && !IsNetworkDevice(device))
    return OpenSystemDevice(device, baudRate, parity, dataBits, monitorEvents);
  if (!BeginOpen(device, baudRate, parity, monitorEvents)) return kOpenNoName;
  return inProcess ? OpenInProcess(device) : OpenNetwork(device);
}

int SerialChannel::IsOpen() const { return SystemDeviceOpen() || InProcessOpen() || NetworkOpen() ? 1 : 0; }

int SerialChannel::OpenCom(int n) {
  const std::optional<std::string> device = DeviceForCom(n);
  if (!device) {
    lastErrno_ = kNoSuchDeviceError;
    return 0;
  }
  return OpenDevice(*device, n);
}

int SerialChannel::OpenDevice(const std::string& device, int number) {
  if (Open(device, 9600, 0, 8, true) != kOpenOk) return 0;
  portNumber_ = number;
  return 1;
}

void SerialChannel::Close() {
  running_ = 0;
  Shutdown();
}

int SerialChannel::GetPortNumber() const { return portNumber_.load(); }

void SerialChannel::Write(const std::uint8_t* bytes, std::size_t length) {
  if (!bytes || length >= 256) return;
  {
    std::lock_guard lock(writeMutex_);
    if (writePending_) return;
    std::memcpy(writeBuffer_, bytes, length);
    writeLength_ = length;
    writeOffset_ = 0;
    writePending_ = true;
  }
  WakeReader();
}

void SerialChannel::OnEvent(SerialChannel*, PortEvent kind) {
  if (const char* text = PortEventText(kind); text && g_diagnosticsEnabled.load()) {
    std::FILE* out = DiagnosticStream();
    std::fputs(text, out);
    std::fflush(out);
  }
}

void SerialChannel::Raise(PortEvent kind) { OnEvent(this, kind); }

bool SerialChannel::BeginOpen(const std::string& device, int baudRate, int parity, bool monitorEvents) {
  // The previous reader thread ends before a new handle exists, so it can never touch it.
  Shutdown();
  ++openCount_;
  stop_ = false;
  lineLost_ = false;
  lastErrno_ = 0;
  if (device.empty()) return false;
  deviceName_ = device;
  baudRate_ = baudRate;
  parity_ = parity;
  monitorEvents_ = monitorEvents;
  return true;
}

}  // namespace veyra

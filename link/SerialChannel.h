// The serial port object: fixed line settings, one reader thread that performs every read,
// write and modem wait, and a virtual notification handler. It knows nothing about frames.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace veyra {

class InProcessConnection;
struct NetworkConnection;

enum class PortEvent {
  Connected = 0,
  Disconnected = 1,
  DataSent = 2,
  DataReceived = 3,
  Ring = 4,
  CarrierDetected = 5,
  NoCarrier = 6,
};
inline constexpr int kPortEventCount = 7;

// The diagnostic text of a notification; nullptr for DataReceived.
const char* PortEventText(PortEvent kind);

// Where diagnostic texts go: standard output in the GUI, standard error in veyractl when asked
// for. Null for the default; SetDiagnosticsEnabled(false) silences them.
void SetDiagnosticStream(std::FILE* stream);
std::FILE* DiagnosticStream();
void SetDiagnosticsEnabled(bool enabled);

// Error codes of Open. They are bits: one Open reports every set-up step that failed at once.
enum OpenError : int {
  kOpenOk = 0,
  kOpenEventMaskFailed = 1,
  kOpenTimeoutsFailed = 2,
  kOpenLineStateFailed = 4,
  kOpenDeviceFailed = 8,
  kOpenNoName = 16,
  kOpenEventsInvalid = 32,
};

class SerialChannel {
 public:
  SerialChannel();
  virtual ~SerialChannel();
  SerialChannel(const SerialChannel&) = delete;
  SerialChannel& operator=(const SerialChannel&) = delete;

  // Opens "COMn" (resolved through the port list) at 9600 8N1 with modem monitoring.
  int OpenCom(int n);
  // Same line settings on a device path; number is what GetPortNumber reports afterwards. A path
  // of an in-process device ("inproc:demo", InProcessDevice.h) opens that device, a network port's
  // URL ("tcp://HOST:PORT", "rfc2217://HOST:PORT", NetworkPort.h) connects to it.
  int OpenDevice(const std::string& device, int number);
  int Open(const std::string& device, int baudRate, int parity, int dataBits, bool monitorEvents);
  // Asks the reader thread to stop and, unless called from that thread, waits until it has.
  void Close();
  int IsOpen() const;
  int GetPortNumber() const;
  // Queues one block; dropped silently when a write is pending, length >= 256 or bytes is null.
  void Write(const std::uint8_t* bytes, std::size_t length);

  // The system's code for the last failed Open (errno; GetLastError() on Windows), for the
  // text shown to the user (OpenErrorText).
  int LastErrno() const { return lastErrno_.load(); }
  const std::string& DeviceName() const { return deviceName_; }
  bool ModemLinesWatched() const { return modemWatched_.load(); }
  // True once the reader thread has ended without being asked to (unplugged, hung up, failed),
  // until the next open: a command in progress has then failed, whatever it received before.
  bool LineLost() const { return lineLost_.load(); }
  // Counts the opens begun; a new count is a new line, which owes nothing of what the last one did.
  unsigned OpenCount() const { return openCount_.load(); }

 protected:
  // Called on the reader thread. The default writes the diagnostic text; received bytes are dropped.
  virtual void OnEvent(SerialChannel* port, PortEvent kind);
  // Valid while handling DataReceived: the channel hands bytes on one at a time.
  const std::uint8_t* ReadBuffer() const { return readBuffer_; }
  std::size_t LastReadCount() const { return lastReadCount_; }
  // Stops and joins the reader thread; derived destructors call it before their members go.
  void Shutdown();
  bool OnReaderThread() const;

 private:
  // What every platform's Open does first: the previous reader ends, the state of the last
  // session is cleared and the settings kept. False for an empty device name.
  bool BeginOpen(const std::string& device, int baudRate, int parity, bool monitorEvents);

  // Defined once per platform (SerialChannelPosix.cpp, SerialChannelWin32.cpp).
  int OpenSystemDevice(const std::string& device, int baudRate, int parity, int dataBits, bool monitorEvents);
  bool SystemDeviceOpen() const;
  void CommThread();
  bool DoWrite();
  void Wake();
  void CloseDevice();
  void Raise(PortEvent kind);

  // The same for an in-process device, on every platform (SerialChannelInProcess.cpp).
  int OpenInProcess(const std::string& device);
  bool InProcessOpen() const;
  void InProcessThread(const std::shared_ptr<InProcessConnection>& connection);
  void InProcessWrite(InProcessConnection& connection);
  void WakeInProcess();
  void CloseInProcess();
  // The same for a network port, on every platform (SerialChannelNetwork.cpp).
  int OpenNetwork(const std::string& device);
  bool NetworkOpen() const;
  void NetworkThread(const std::shared_ptr<NetworkConnection>& connection);
  void DeliverNetworkBytes(const std::uint8_t* bytes, std::size_t count);
  void NetworkModemState(NetworkConnection& connection, std::uint8_t state);
  void TakeNetworkWrite(NetworkConnection& connection);
  bool FlushNetwork(NetworkConnection& connection);
  void WakeNetwork();
  void CloseNetwork();
  // Every kind of reader thread: only one runs, and a stale wake-up costs the other nothing.
  void WakeReader();

  // The platform's descriptors or handles and its helper threads.
  struct Os;
  std::unique_ptr<Os> os_;

  std::atomic<int> portNumber_{-1};
  std::atomic<int> running_{0};
  bool monitorEvents_ = false;
  std::string deviceName_;
  int baudRate_ = 0;
  int parity_ = 0;

  std::atomic<bool> stop_{false};
  std::atomic<bool> lineLost_{false};
  std::atomic<unsigned> openCount_{0};
  std::thread thread_;
  std::atomic<bool> modemWatched_{false};

  std::mutex writeMutex_;
  std::atomic<bool> writePending_{false};
  std::uint8_t writeBuffer_[256] = {};
  std::size_t writeLength_ = 0;
  std::size_t writeOffset_ = 0;

  // The in-process device open, from the open until the next open or close.
  mutable std::mutex inProcessMutex_;
  std::shared_ptr<InProcessConnection> inProcess_;
  // The network connection open, likewise.
  mutable std::mutex networkMutex_;
  std::shared_ptr<NetworkConnection> network_;

  std::uint8_t readBuffer_[257] = {};
  std::size_t lastReadCount_ = 0;
  std::atomic<int> lastErrno_{0};
};

}  // namespace veyra

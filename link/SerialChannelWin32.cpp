// The serial channel on Windows: \\.\COMn opened for overlapped I/O (Windows opens a COM port
// exclusively by itself), one reader thread that waits on the port's comm events, a pending write
// and a wake event together, and reads what has arrived with overlapped ReadFile.
// Some drivers cannot wait for comm events: Wine's serial driver on a pseudo-terminal ends every
// WaitCommEvent as aborted because the terminal has no modem lines. While the port itself still
// answers, the thread then waits on an overlapped read of one byte instead, for the rest of the
// connection.
#include <windows.h>

#include <cstring>

#include "link/SerialChannel.h"

namespace veyra {
namespace {

// An OVERLAPPED with its own manual-reset event, for one kind of request at a time.
struct Overlapped {
  OVERLAPPED ov{};
  Overlapped() { ov.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  ~Overlapped() {
    if (ov.hEvent) ::CloseHandle(ov.hEvent);
  }
  Overlapped(const Overlapped&) = delete;
  Overlapped& operator=(const Overlapped&) = delete;
  void Reset() {
    HANDLE event = ov.hEvent;
    ::ResetEvent(event);
    ov = OVERLAPPED{};
    ov.hEvent = event;
  }
};

BYTE ParityFor(int parity) {
  switch (parity) {
    case 1:
      return ODDPARITY;
    case 2:
      return EVENPARITY;
    default:
      return NOPARITY;
  }
}

}  // namespace

struct SerialChannel::Os {
  std::atomic<HANDLE> handle{INVALID_HANDLE_VALUE};
  HANDLE wake = nullptr;       // auto-reset: shutdown and write requests
  Overlapped wait;             // WaitCommEvent
  Overlapped read;             // ReadFile of what the driver holds
  Overlapped write;            // WriteFile of the queued block
  DWORD eventMask = 0;         // filled by a completed WaitCommEvent
  std::uint8_t firstByte = 0;  // the one-byte read that waits when comm events cannot
};

SerialChannel::SerialChannel() : os_(std::make_unique<Os>()) {
  os_->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

SerialChannel::~SerialChannel() {
  Shutdown();
  if (os_->wake) ::CloseHandle(os_->wake);
}

void SerialChannel::Wake() {
  if (os_->wake) ::SetEvent(os_->wake);
}

// A thread that ended on its own has already closed the device; one that never started may not.
void SerialChannel::CloseDevice() {
  const HANDLE handle = os_->handle.exchange(INVALID_HANDLE_VALUE);
  if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
}

int SerialChannel::OpenSystemDevice(const std::string& device, int baudRate, int parity, int dataBits,
                                    bool monitorEvents) {
  if (!BeginOpen(device, baudRate, parity, monitorEvents)) return kOpenNoName;

  // No sharing: a second opener, this program or another, gets ERROR_ACCESS_DENIED.
  const HANDLE handle = ::CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    lastErrno_ = static_cast<int>(::GetLastError());
    return kOpenDeviceFailed;
  }

  int code = kOpenOk;
  const auto fail = [&](int bit) {
    if (code == kOpenOk) lastErrno_ = static_cast<int>(::GetLastError());
    code |= bit;
  };
  ::SetupComm(handle, 4096, 4096);  // a size hint; drivers that ignore it are no fault

  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle, &dcb)) {
    fail(kOpenLineStateFailed);
  } else {
    dcb.BaudRate = static_cast<DWORD>(baudRate);
    dcb.ByteSize = static_cast<BYTE>(dataBits >= 5 && dataBits <= 8 ? dataBits : 8);
    dcb.Parity = ParityFor(parity);
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = parity == 1 || parity == 2;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(handle, &dcb)) fail(kOpenLineStateFailed);
  }
  // A read returns at once with whatever the driver holds, and waits for the first byte only when
  // there is none (the one-byte read without comm events; about 49 days). Writes never time out.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = MAXDWORD - 1;
  if (!::SetCommTimeouts(handle, &timeouts)) fail(kOpenTimeoutsFailed);

  // Modem-line monitoring: only where the driver reports the lines at all.
  DWORD status = 0;
  modemWatched_ = monitorEvents && ::GetCommModemStatus(handle, &status);
  const DWORD mask = EV_RXCHAR | EV_ERR | (modemWatched_ ? EV_RING | EV_RLSD : 0);
  if (!::SetCommMask(handle, mask)) fail(kOpenEventMaskFailed);
  ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);

  if (!os_->wake || !os_->wait.ov.hEvent || !os_->read.ov.hEvent || !os_->write.ov.hEvent)
    code |= kOpenEventsInvalid;
  if (code != kOpenOk) {
    ::CloseHandle(handle);
    return code;
  }

  {
    std::lock_guard lock(writeMutex_);
    writePending_ = false;
    writeLength_ = writeOffset_ = 0;
  }
  ::ResetEvent(os_->wake);
  os_->handle = handle;
  running_ = 1;
  thread_ = std::thread(&SerialChannel::CommThread, this);
  return kOpenOk;
}

bool SerialChannel::SystemDeviceOpen() const { return os_->handle.load() != INVALID_HANDLE_VALUE; }

// Starts the queued block as one overlapped write; false when the device refused it. The block
// stays pending (further writes are refused) until its completion is seen in CommThread.
bool SerialChannel::DoWrite() {
  std::unique_lock lock(writeMutex_);
  if (!writePending_) return true;
  os_->write.Reset();
  DWORD written = 0;
  if (::WriteFile(os_->handle.load(), writeBuffer_, static_cast<DWORD>(writeLength_), &written,
                  &os_->write.ov))
    return true;  // completed already; its event is set and CommThread reports it
  return ::GetLastError() == ERROR_IO_PENDING;
}

void SerialChannel::CommThread() {
  running_ = 1;
  Raise(PortEvent::Connected);
  const HANDLE handle = os_->handle.load();
  bool alive = true;
  bool waiting = false;    // a WaitCommEvent, or the one-byte read instead, is outstanding
  bool writing = false;    // a WriteFile is outstanding
  bool readWaits = false;  // the driver cannot wait for comm events: the one-byte read waits

  // Hands on every byte the driver holds, one at a time, as one-byte reads would deliver them.
  const auto drain = [&]() -> bool {
    for (;;) {
      DWORD errors = 0;
      COMSTAT stat{};
      if (!::ClearCommError(handle, &errors, &stat)) return false;
      if (stat.cbInQue == 0) return true;
      std::uint8_t chunk[256];
      const DWORD want = stat.cbInQue < sizeof chunk ? stat.cbInQue : static_cast<DWORD>(sizeof chunk);
      os_->read.Reset();
      DWORD got = 0;
      if (!::ReadFile(handle, chunk, want, &got, &os_->read.ov)) {
        if (::GetLastError() != ERROR_IO_PENDING) return false;
        if (!::GetOverlappedResult(handle, &os_->read.ov, &got, TRUE)) return false;
      }
      if (got == 0) return true;
      for (DWORD i = 0; i < got && !stop_; ++i) {
        readBuffer_[0] = chunk[i];
        lastReadCount_ = 1;
        Raise(PortEvent::DataReceived);
      }
      if (stop_) return true;
    }
  };

  while (alive && !stop_) {
    // Bytes that arrived while no wait was outstanding raise no event of their own.
    if (!waiting && !drain()) {
      alive = false;
      continue;
    }
    if (!waiting) {
      os_->wait.Reset();
      os_->eventMask = 0;
      DWORD got = 0;
      const BOOL done = readWaits ? ::ReadFile(handle, &os_->firstByte, 1, &got, &os_->wait.ov)
                                  : ::WaitCommEvent(handle, &os_->eventMask, &os_->wait.ov);
      if (done) {
        ::SetEvent(os_->wait.ov.hEvent);  // completed at once: handled below like a late one
      } else if (::GetLastError() != ERROR_IO_PENDING) {
        alive = false;  // unplugged or failed
        continue;
      }
      waiting = true;
    }
    if (!writing && writePending_) {
      if (!DoWrite()) {
        alive = false;
        continue;
      }
      writing = true;
    }
    HANDLE events[3] = {os_->wake, os_->wait.ov.hEvent, os_->write.ov.hEvent};
    const DWORD ready = ::WaitForMultipleObjects(writing ? 3 : 2, events, FALSE, INFINITE);
    // The wait reports the lowest signalled handle, so the array's order is the ranking: shutdown
    // first, so a closing port does no more I/O; then reads and modem lines, so what the host sent
    // is taken before more goes out; then writes.
    if (ready == WAIT_OBJECT_0) {
      if (stop_) break;
      continue;
    }
    if (ready == WAIT_OBJECT_0 + 1) {
      waiting = false;
      DWORD got = 0;
      if (!::GetOverlappedResult(handle, &os_->wait.ov, &got, FALSE)) {
        DWORD errors = 0;
        COMSTAT stat{};
        // An aborted wait on a port that still answers: this driver cannot wait for events.
        if (!readWaits && ::GetLastError() == ERROR_OPERATION_ABORTED && !stop_ &&
            ::ClearCommError(handle, &errors, &stat)) {
          readWaits = true;
          continue;
        }
        alive = false;  // unplugged or failed
        continue;
      }
      if (readWaits) {
        if (got == 1) {
          readBuffer_[0] = os_->firstByte;
          lastReadCount_ = 1;
          Raise(PortEvent::DataReceived);
        }
        continue;  // the rest is drained before the next wait
      }
      const DWORD mask = os_->eventMask;
      if ((mask & EV_RXCHAR) && !drain()) {
        alive = false;
        continue;
      }
      if (mask & EV_RING) Raise(PortEvent::Ring);
      if (mask & EV_RLSD) {
        DWORD status = 0;
        if (::GetCommModemStatus(handle, &status))
          Raise((status & MS_RLSD_ON) ? PortEvent::CarrierDetected : PortEvent::NoCarrier);
      }
      continue;
    }
    if (ready == WAIT_OBJECT_0 + 2) {
      writing = false;
      DWORD written = 0;
      const BOOL ok = ::GetOverlappedResult(handle, &os_->write.ov, &written, FALSE);
      {
        std::lock_guard lock(writeMutex_);
        writePending_ = false;
      }
      if (!ok || written != writeLength_) {
        alive = false;
        continue;
      }
      Raise(PortEvent::DataSent);
      continue;
    }
    alive = false;  // WAIT_FAILED
  }
  // Outstanding requests are cancelled and finished before their OVERLAPPED can be reused. A
  // pending WaitCommEvent ends when the mask changes, on drivers that do not cancel it (Wine's).
  if (waiting || writing) {
    if (waiting && !readWaits) ::SetCommMask(handle, 0);
    ::CancelIo(handle);
    DWORD ignored = 0;
    if (waiting) ::GetOverlappedResult(handle, &os_->wait.ov, &ignored, TRUE);
    if (writing) ::GetOverlappedResult(handle, &os_->write.ov, &ignored, TRUE);
  }
  running_ = 0;
  const HANDLE owned = os_->handle.exchange(INVALID_HANDLE_VALUE);
  if (owned != INVALID_HANDLE_VALUE) ::CloseHandle(owned);
  lineLost_ = !stop_;
  Raise(PortEvent::Disconnected);
}

}  // namespace veyra

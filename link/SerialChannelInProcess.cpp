// The serial channel on an in-process device: the reader thread, its events and the rules of a
// device (one write at a time, close from any thread, a lost line), with a condition variable
// where a device has descriptors. No system header, so it behaves alike on every platform.
#include <cstring>

#include "link/InProcessConnection.h"
#include "link/SerialChannel.h"

namespace veyra {

int SerialChannel::OpenInProcess(const std::string& device) {
  const InProcessOpening opening = OpenInProcessDevice(device);
  if (!opening.connection) {
    lastErrno_ = opening.error;
    return kOpenDeviceFailed;
  }
  modemWatched_ = false;  // no modem lines to watch
  {
    std::lock_guard lock(writeMutex_);
    writePending_ = false;
    writeLength_ = writeOffset_ = 0;
  }
  {
    std::lock_guard lock(inProcessMutex_);
    inProcess_ = opening.connection;
  }
  running_ = 1;
  thread_ = std::thread(&SerialChannel::InProcessThread, this, opening.connection);
  return kOpenOk;
}

bool SerialChannel::InProcessOpen() const {
  std::lock_guard lock(inProcessMutex_);
  return inProcess_ && !inProcess_->Closed();
}

void SerialChannel::WakeInProcess() {
  std::shared_ptr<InProcessConnection> connection;
  {
    std::lock_guard lock(inProcessMutex_);
    connection = inProcess_;
  }
  if (connection) connection->Wake();
}

// A thread that ended on its own has already closed the connection; closing again does nothing.
void SerialChannel::CloseInProcess() {
  std::shared_ptr<InProcessConnection> connection;
  {
    std::lock_guard lock(inProcessMutex_);
    connection = std::move(inProcess_);
  }
  if (connection) connection->Close();
}

// The block is handed over whole, as a device's driver takes it; it stays pending meanwhile, so a
// second write is refused as on a device.
void SerialChannel::InProcessWrite(InProcessConnection& connection) {
  std::uint8_t block[sizeof writeBuffer_];
  std::size_t length = 0;
  {
    std::lock_guard lock(writeMutex_);
    if (!writePending_) return;
    length = writeLength_;
    std::memcpy(block, writeBuffer_, length);
  }
  connection.Deliver(block, length);
  {
    std::lock_guard lock(writeMutex_);
    writePending_ = false;
  }
  Raise(PortEvent::DataSent);
}

void SerialChannel::InProcessThread(const std::shared_ptr<InProcessConnection>& connection) {
  running_ = 1;
  Raise(PortEvent::Connected);
  bool alive = true;
  while (alive && !stop_) {
    const InProcessConnection::Wakeup wakeup = connection->Wait([this] { return stop_.load(); });
    // Shutdown first, then reads, then writes, as on a device.
    if (stop_) break;
    // Handed on one byte at a time, exactly as one-byte reads would deliver them.
    for (std::size_t i = 0; i < wakeup.bytes.size() && !stop_; ++i) {
      readBuffer_[0] = wakeup.bytes[i];
      lastReadCount_ = 1;
      Raise(PortEvent::DataReceived);
    }
    if (wakeup.hungUp) {
      alive = false;  // what came before the hang-up has been read
      continue;
    }
    if (writePending_) InProcessWrite(*connection);
  }
  running_ = 0;
  connection->Close();
  lineLost_ = !stop_;
  Raise(PortEvent::Disconnected);
}

}  // namespace veyra

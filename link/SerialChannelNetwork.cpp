// The serial channel on a network port: the reader thread, its events and the rules of a device
// (one write at a time, close from any thread, one Disconnected when the line goes) over a TCP
// connection, raw or Telnet with the COM-PORT-OPTION. The socket calls are NetSocket's, so this file
// is the same on every platform.
#include <cstring>
#include <thread>
#include <vector>

#include "link/NetSocket.h"
#include "link/NetworkPort.h"
#include "link/SerialChannel.h"
#include "link/TelnetComPort.h"

namespace veyra {

struct NetworkConnection {
  NetSocket socket;
  bool rfc2217 = false;
  telnet::Decoder decoder;
  std::vector<std::uint8_t> early;     // line bytes that came while the settings were negotiated
  std::vector<std::uint8_t> outgoing;  // on its way to the socket: a frame, negotiation answers
  std::size_t sent = 0;
  std::size_t frameEnd = 0;  // where the frame being written ends in outgoing; 0 for none
  bool modemKnown = false;
  std::uint8_t modemState = 0;

  // Sends what the socket takes now; false when the connection failed.
  bool Flush() {
    while (sent < outgoing.size()) {
      const long n = socket.Send(outgoing.data() + sent, outgoing.size() - sent);
      if (n == -1) return true;
      if (n < 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }
  bool FrameWritten() const { return frameEnd != 0 && sent >= frameEnd; }
  void Compact() {
    if (sent < outgoing.size()) return;
    outgoing.clear();
    sent = frameEnd = 0;
  }
};

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

// Asks for the line's settings and reads the answers until they are all in; 0 or a NetworkError.
int NegotiateLine(NetworkConnection& connection) {
  const auto deadline = Clock::now() + kLineSettingsTimeout;
  connection.outgoing = telnet::LineRequest();
  connection.sent = 0;
  const telnet::AcceptedLine& accepted = connection.decoder.Accepted();
  for (;;) {
    if (!connection.Flush()) return kNetClosedAtOnce;
    if (accepted.Refused() || !connection.decoder.ComPortAgreed()) break;
    // Done once every answer is in and what we owe the server has gone out.
    if (accepted.Complete() && connection.sent == connection.outgoing.size()) break;
    const auto left = Left(deadline);
    if (left.count() == 0) return kNetNoLineAnswer;
    const int ready = connection.socket.Wait(connection.sent < connection.outgoing.size(), left);
    if (ready & NetSocket::kFailed) return kNetClosedAtOnce;
    if (!(ready & NetSocket::kReadable)) continue;
    std::uint8_t chunk[512];
    const long n = connection.socket.Receive(chunk, sizeof chunk);
    if (n == 0 || n == -2) return kNetClosedAtOnce;
    if (n < 0) continue;
    telnet::Decoded decoded;
    connection.decoder.Feed(chunk, static_cast<std::size_t>(n), decoded);
    connection.early.insert(connection.early.end(), decoded.data.begin(), decoded.data.end());
    connection.outgoing.insert(connection.outgoing.end(), decoded.reply.begin(), decoded.reply.end());
    // The state the line is in when it opens is no event.
    if (!decoded.modemStates.empty()) {
      connection.modemKnown = true;
      connection.modemState = decoded.modemStates.back();
    }
  }
  if (!connection.decoder.ComPortAgreed()) return kNetNoLineAnswer;
  if (accepted.Refused()) return kNetLineRefused;
  connection.Compact();
  return 0;
}

}  // namespace

int SerialChannel::OpenNetwork(const std::string& device) {
  const std::optional<NetworkPort> address = ParseNetworkPort(device);
  if (!address) {
    lastErrno_ = kNetBadAddress;
    return kOpenDeviceFailed;
  }
  // A serial server releases its device a little after the last client went; one that hangs up on
  // the line request at once is asked again, within the time a connection may take.
  const auto deadline = Clock::now() + kNetworkConnectTimeout;
  std::chrono::milliseconds pause{20};
  std::shared_ptr<NetworkConnection> connection;
  for (;;) {
    connection = std::make_shared<NetworkConnection>();
    if (!connection->socket.Usable()) return kOpenEventsInvalid;
    const auto left = Left(deadline);
    if (const int err = connection->socket.Connect(address->host, address->port,
                                                   left.count() > 0 ? left : std::chrono::milliseconds(1))) {
      lastErrno_ = err;
      return kOpenDeviceFailed;
    }
    connection->rfc2217 = address->rfc2217;
    if (!connection->rfc2217) break;
    const int err = NegotiateLine(*connection);
    if (err == 0) break;
    connection->socket.Close();
    if (err != kNetClosedAtOnce || Left(deadline) <= pause || stop_) {
      lastErrno_ = err;
      return kOpenLineStateFailed;
    }
    std::this_thread::sleep_for(pause);
    pause *= 2;
  }
  // Only a Telnet server reports the modem lines; a raw connection has none to watch.
  modemWatched_ = connection->rfc2217;
  {
    std::lock_guard lock(writeMutex_);
    writePending_ = false;
    writeLength_ = writeOffset_ = 0;
  }
  {
    std::lock_guard lock(networkMutex_);
    network_ = connection;
  }
  running_ = 1;
  thread_ = std::thread(&SerialChannel::NetworkThread, this, connection);
  return kOpenOk;
}

bool SerialChannel::NetworkOpen() const {
  std::lock_guard lock(networkMutex_);
  return network_ && network_->socket.Connected();
}

void SerialChannel::WakeNetwork() {
  std::shared_ptr<NetworkConnection> connection;
  {
    std::lock_guard lock(networkMutex_);
    connection = network_;
  }
  if (connection) connection->socket.Wake();
}

// A thread that ended on its own has already closed the socket; closing again does nothing.
void SerialChannel::CloseNetwork() {
  std::shared_ptr<NetworkConnection> connection;
  {
    std::lock_guard lock(networkMutex_);
    connection = std::move(network_);
  }
  if (connection) connection->socket.Close();
}

void SerialChannel::DeliverNetworkBytes(const std::uint8_t* bytes, std::size_t count) {
  // Handed on one byte at a time, exactly as one-byte reads would deliver them.
  for (std::size_t i = 0; i < count && !stop_; ++i) {
    readBuffer_[0] = bytes[i];
    lastReadCount_ = 1;
    Raise(PortEvent::DataReceived);
  }
}

void SerialChannel::NetworkModemState(NetworkConnection& connection, std::uint8_t state) {
  const std::uint8_t changed = connection.modemKnown ? state ^ connection.modemState : 0;
  connection.modemKnown = true;
  connection.modemState = state;
  if (!monitorEvents_) return;
  if ((changed & telnet::kModemRing) && (state & telnet::kModemRing)) Raise(PortEvent::Ring);
  if (changed & telnet::kModemCarrier)
    Raise((state & telnet::kModemCarrier) ? PortEvent::CarrierDetected : PortEvent::NoCarrier);
}

// Takes the pending block into the outgoing bytes, escaped for Telnet, unless one is on its way.
void SerialChannel::TakeNetworkWrite(NetworkConnection& connection) {
  if (connection.frameEnd != 0 || !writePending_) return;
  std::lock_guard lock(writeMutex_);
  if (!writePending_) return;
  if (connection.rfc2217) {
    const telnet::Bytes escaped = telnet::Escape(writeBuffer_, writeLength_);
    connection.outgoing.insert(connection.outgoing.end(), escaped.begin(), escaped.end());
  } else {
    connection.outgoing.insert(connection.outgoing.end(), writeBuffer_, writeBuffer_ + writeLength_);
  }
  connection.frameEnd = connection.outgoing.size();
}

// Returns false when the connection failed.
bool SerialChannel::FlushNetwork(NetworkConnection& connection) {
  if (!connection.Flush()) return false;
  if (connection.FrameWritten()) {
    connection.frameEnd = 0;
    {
      std::lock_guard lock(writeMutex_);
      writePending_ = false;
    }
    connection.Compact();
    Raise(PortEvent::DataSent);
  }
  connection.Compact();
  return true;
}

void SerialChannel::NetworkThread(const std::shared_ptr<NetworkConnection>& connection) {
  running_ = 1;
  Raise(PortEvent::Connected);
  DeliverNetworkBytes(connection->early.data(), connection->early.size());
  connection->early.clear();
  bool alive = true;
  while (alive && !stop_) {
    TakeNetworkWrite(*connection);
    if (!FlushNetwork(*connection)) break;
    const int ready = connection->socket.Wait(!connection->outgoing.empty(), std::chrono::milliseconds(-1));
    // Shutdown first, then reads, then writes, as on a device.
    if (stop_ || (ready & NetSocket::kFailed)) break;
    if (ready & NetSocket::kReadable) {
      std::uint8_t chunk[512];
      const long n = connection->socket.Receive(chunk, sizeof chunk);
      if (n == 0 || n == -2) {
        alive = false;  // the peer closed or reset the connection
        continue;
      }
      if (n > 0 && !connection->rfc2217) {
        DeliverNetworkBytes(chunk, static_cast<std::size_t>(n));
      } else if (n > 0) {
        telnet::Decoded decoded;
        connection->decoder.Feed(chunk, static_cast<std::size_t>(n), decoded);
        DeliverNetworkBytes(decoded.data.data(), decoded.data.size());
        connection->outgoing.insert(connection->outgoing.end(), decoded.reply.begin(), decoded.reply.end());
        for (const std::uint8_t state : decoded.modemStates) NetworkModemState(*connection, state);
      }
    }
  }
  running_ = 0;
  connection->socket.Close();
  // The connection goes with this thread, its wake-up descriptor too: a channel whose line was lost
  // holds nothing of it.
  {
    std::lock_guard lock(networkMutex_);
    if (network_ == connection) network_.reset();
  }
  lineLost_ = !stop_;
  Raise(PortEvent::Disconnected);
}

}  // namespace veyra

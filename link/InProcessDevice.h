// Devices inside this process that a SerialChannel opens by name as it opens a serial port, and
// that the port list shows under a COM number: what the demo needs on a system without
// pseudo-terminals. The channel's side (reader thread, events, one write at a time, close, a lost
// line) behaves as for a device; the far side is a peer that takes what the program writes and
// hands bytes back from any thread of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veyra {

// How a peer reaches the program that opened its device. Valid for one opening: once the program
// has closed it, Send refuses everything, so the rest of an answer never reaches the next opener.
class InProcessLine {
 public:
  virtual ~InProcessLine() = default;
  // Queues bytes for the program's reader thread; false once the program has closed the line.
  virtual bool Send(const std::uint8_t* bytes, std::size_t count) = 0;
  // The device goes as an unplugged adapter does: what was sent before is still read, then the
  // program's channel has lost its line.
  virtual void HangUp() = 0;
};

// The device's end. Its calls come from the program's threads, one at a time, while it is
// registered: they must return quickly and never wait for the program.
class InProcessPeer {
 public:
  virtual ~InProcessPeer() = default;
  // A program opened the device; at most one at a time, as with a serial port.
  virtual void Opened(std::shared_ptr<InProcessLine> line) = 0;
  // One block the program wrote, on the program's reader thread.
  virtual void Received(const std::uint8_t* bytes, std::size_t count) = 0;
  // The program closed the device, or lost it.
  virtual void Closed() = 0;
};

// What names an in-process device among device paths: "inproc:demo".
inline constexpr std::string_view kInProcessPrefix = "inproc:";
bool IsInProcessDevice(std::string_view device);

struct InProcessDevice {
  std::string device;       // "inproc:demo"
  int number = 0;           // the COM number the port list shows it under
  std::string description;  // what the port list says it is
};

// A device's registration: while it lives, the device can be opened and is listed. Ending it hangs
// up a program that has the device open, and returns once no call into the peer is in progress.
class InProcessRegistration {
 public:
  InProcessRegistration() = default;
  explicit InProcessRegistration(std::string device) : device_(std::move(device)) {}
  ~InProcessRegistration() { Reset(); }
  InProcessRegistration(InProcessRegistration&& other) noexcept : device_(std::move(other.device_)) {
    other.device_.clear();
  }
  InProcessRegistration& operator=(InProcessRegistration&& other) noexcept;
  InProcessRegistration(const InProcessRegistration&) = delete;
  InProcessRegistration& operator=(const InProcessRegistration&) = delete;

  void Reset();
  const std::string& Device() const { return device_; }
  bool Registered() const { return !device_.empty(); }

 private:
  std::string device_;
};

// Registers peer under "inproc:<name>" with the lowest COM number neither the system's ports nor
// another in-process device has, so that the automatic search reaches it early. An empty
// registration when the name is taken or empty. The peer outlives the registration.
InProcessRegistration RegisterInProcessDevice(std::string_view name, const std::string& description,
                                              InProcessPeer& peer);

// Lists a registered device under COM number instead: for an environment that names its ports by
// number, as a test's does. False when the device is not registered or another one has the number.
bool RenumberInProcessDevice(std::string_view device, int number);

// The registered devices, by COM number.
std::vector<InProcessDevice> InProcessDevices();

// Opening by the channel: the connection to the device's peer, or the reason there is none (the
// system code OpenErrorText explains).
class InProcessConnection;
struct InProcessOpening {
  std::shared_ptr<InProcessConnection> connection;
  int error = 0;
};
InProcessOpening OpenInProcessDevice(const std::string& device);

}  // namespace veyra

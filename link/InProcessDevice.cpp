// The registry of in-process devices and the connection a channel holds to one of them.
#include "link/InProcessDevice.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "link/InProcessConnection.h"
#include "link/OpenErrorText.h"
#include "link/SystemComPorts.h"

namespace veyra {
namespace {

struct Entry {
  InProcessPeer* peer = nullptr;
  InProcessDevice info;
  std::weak_ptr<InProcessConnection> open;  // the latest opening, closed or not
};

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, Entry>& Registry() {
  static std::map<std::string, Entry> registry;
  return registry;
}

}  // namespace

bool IsInProcessDevice(std::string_view device) {
  return device.substr(0, kInProcessPrefix.size()) == kInProcessPrefix;
}

bool InProcessConnection::Send(const std::uint8_t* bytes, std::size_t count) {
  {
    std::lock_guard lock(mutex_);
    if (closed_ || hungUp_) return false;
    toProgram_.insert(toProgram_.end(), bytes, bytes + count);
  }
  ready_.notify_all();
  return true;
}

void InProcessConnection::HangUp() {
  {
    std::lock_guard lock(mutex_);
    hungUp_ = true;
  }
  ready_.notify_all();
}

void InProcessConnection::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  ready_.notify_all();
}

void InProcessConnection::Deliver(const std::uint8_t* bytes, std::size_t count) {
  std::lock_guard lock(peerMutex_);
  if (peer_) peer_->Received(bytes, count);
}

void InProcessConnection::Opened(const std::shared_ptr<InProcessConnection>& self) {
  std::lock_guard lock(peerMutex_);
  if (peer_) peer_->Opened(self);
}

void InProcessConnection::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  // The device stays busy until its peer has heard of the close: a new opening comes after it.
  std::lock_guard lock(peerMutex_);
  if (peer_) peer_->Closed();
  peer_ = nullptr;
}

bool InProcessConnection::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool InProcessConnection::Attached() {
  std::lock_guard lock(peerMutex_);
  return peer_ != nullptr;
}

void InProcessConnection::Unplug() {
  HangUp();
  std::lock_guard lock(peerMutex_);
  peer_ = nullptr;
}

InProcessRegistration& InProcessRegistration::operator=(InProcessRegistration&& other) noexcept {
  if (this != &other) {
    Reset();
    device_ = std::move(other.device_);
    other.device_.clear();
  }
  return *this;
}

void InProcessRegistration::Reset() {
  if (device_.empty()) return;
  std::shared_ptr<InProcessConnection> open;
  {
    std::lock_guard lock(RegistryMutex());
    if (const auto found = Registry().find(device_); found != Registry().end()) {
      open = found->second.open.lock();
      Registry().erase(found);
    }
  }
  device_.clear();
  if (open) open->Unplug();
}

InProcessRegistration RegisterInProcessDevice(std::string_view name, const std::string& description,
                                              InProcessPeer& peer) {
  if (name.empty()) return {};
  std::string device(kInProcessPrefix);
  device += name;
  // Read before the registry is locked: the system's list may take a while.
  std::set<int> taken;
  if (const auto ports = ListSystemComPorts(DefaultPortSources()))
    for (const ComPort& port : *ports) taken.insert(port.number);

  std::lock_guard lock(RegistryMutex());
  if (Registry().count(device)) return {};
  for (const auto& [key, entry] : Registry()) taken.insert(entry.info.number);
  int number = 1;
  while (taken.count(number) && number < kMaxComNumber) ++number;
  Registry()[device] = Entry{&peer, InProcessDevice{device, number, OneLineText(description)}, {}};
  return InProcessRegistration(device);
}

bool RenumberInProcessDevice(std::string_view device, int number) {
  if (number < 1 || number > kMaxComNumber) return false;
  std::lock_guard lock(RegistryMutex());
  const auto found = Registry().find(std::string(device));
  if (found == Registry().end()) return false;
  for (const auto& [key, entry] : Registry())
    if (key != found->first && entry.info.number == number) return false;
  found->second.info.number = number;
  return true;
}

std::vector<InProcessDevice> InProcessDevices() {
  std::vector<InProcessDevice> devices;
  {
    std::lock_guard lock(RegistryMutex());
    for (const auto& [device, entry] : Registry()) devices.push_back(entry.info);
  }
  std::sort(devices.begin(), devices.end(),
            [](const InProcessDevice& a, const InProcessDevice& b) { return a.number < b.number; });
  return devices;
}

InProcessOpening OpenInProcessDevice(const std::string& device) {
  std::shared_ptr<InProcessConnection> connection;
  {
    std::lock_guard lock(RegistryMutex());
    const auto found = Registry().find(device);
    if (found == Registry().end()) return {nullptr, kNoSuchDeviceError};
    if (const auto open = found->second.open.lock(); open && open->Attached())
      return {nullptr, kBusyDeviceError};
    connection = std::make_shared<InProcessConnection>(found->second.peer);
    found->second.open = connection;
  }
  connection->Opened(connection);
  return {connection, 0};
}

}  // namespace veyra

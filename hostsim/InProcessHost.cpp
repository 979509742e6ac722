#include "hostsim/InProcessHost.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "link/ComPorts.h"

namespace veyra::hostsim {
namespace {

// One start bit, eight data bits and a stop bit at 9600 baud.
constexpr std::chrono::microseconds kByteTime{1042};

}  // namespace

InProcessHost::InProcessHost(std::string password) : host_(std::move(password)) {}

InProcessHost::~InProcessHost() { Stop(); }

bool InProcessHost::Start(std::string_view name, std::string description) {
  if (thread_.joinable()) return false;
  registration_ = RegisterInProcessDevice(name, std::move(description), *this);
  if (!registration_.Registered()) return false;
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  thread_ = std::thread(&InProcessHost::Serve, this);
  return true;
}

void InProcessHost::Stop() {
  // First: once the registration has ended, no call of the program's reaches this host.
  registration_.Reset();
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    line_.reset();
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

int InProcessHost::ComNumber() const {
  if (!registration_.Registered()) return -1;
  return ComForDevice(registration_.Device()).value_or(-1);
}

std::string InProcessHost::Password() {
  std::lock_guard lock(mutex_);
  return host_.Password();
}

void InProcessHost::SetPace(bool pace) {
  std::lock_guard lock(mutex_);
  pace_ = pace;
}

void InProcessHost::Opened(std::shared_ptr<InProcessLine> line) {
  {
    std::lock_guard lock(mutex_);
    line_ = std::move(line);
    inbox_.clear();
    newLine_ = true;
  }
  wake_.notify_all();
}

void InProcessHost::Received(const std::uint8_t* bytes, std::size_t count) {
  {
    std::lock_guard lock(mutex_);
    inbox_.insert(inbox_.end(), bytes, bytes + count);
  }
  wake_.notify_all();
}

void InProcessHost::Closed() {
  std::lock_guard lock(mutex_);
  line_.reset();
  inbox_.clear();
}

bool InProcessHost::SendReply(InProcessLine& line, const Bytes& frame, bool pace) {
  if (!pace) return line.Send(frame.data(), frame.size());
  const auto start = std::chrono::steady_clock::now();
  std::size_t sent = 0;
  while (sent < frame.size()) {
    // Every byte whose time has come, at once: the average speed holds whatever the sleeps' grain.
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const std::size_t due = std::min(frame.size(), static_cast<std::size_t>(elapsed / kByteTime) + 1);
    if (due > sent) {
      if (!line.Send(frame.data() + sent, due - sent)) return false;
      sent = due;
      continue;
    }
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, start + kByteTime * static_cast<std::int64_t>(sent), [this] { return stop_; }))
      return false;
  }
  return true;
}

void InProcessHost::Serve() {
  HostFrameReader reader;
  std::unique_lock lock(mutex_);
  while (!stop_) {
    wake_.wait(lock, [this] { return stop_ || newLine_ || !inbox_.empty(); });
    if (stop_) break;
    if (newLine_) {
      reader = HostFrameReader();
      newLine_ = false;
    }
    const Bytes bytes = std::move(inbox_);
    inbox_.clear();
    const std::shared_ptr<InProcessLine> line = line_;
    const bool pace = pace_;
    std::vector<Bytes> replies;
    for (const Bytes& frame : reader.Feed(bytes.data(), bytes.size())) {
      std::vector<Bytes> answer = host_.Handle(frame);
      replies.insert(replies.end(), answer.begin(), answer.end());
    }
    if (!line || replies.empty()) continue;
    lock.unlock();
    for (const Bytes& reply : replies)
      if (!SendReply(*line, reply, pace)) break;
    lock.lock();
  }
}

}  // namespace veyra::hostsim

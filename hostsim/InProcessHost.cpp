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

InProcessHost::InProcessHost(std::string password) : FaultyHost(std::move(password)) {}

InProcessHost::~InProcessHost() { Stop(); }

bool InProcessHost::Start(std::string_view name, const std::string& description) {
  if (thread_.joinable()) return false;
  registration_ = RegisterInProcessDevice(name, description, *this);
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
  const auto lock = Lock();
  return Host().Password();
}

void InProcessHost::SetPace(bool pace) {
  std::lock_guard lock(mutex_);
  pace_ = pace;
}

void InProcessHost::Inject(const Bytes& bytes) {
  {
    std::lock_guard lock(mutex_);
    injectQueue_.insert(injectQueue_.end(), bytes.begin(), bytes.end());
  }
  wake_.notify_all();
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

bool InProcessHost::SleepMs(int ms) {
  std::unique_lock lock(mutex_);
  if (ms <= 0) return !stop_;
  return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
}

bool InProcessHost::SendBytes(InProcessLine& line, const Bytes& bytes, bool pace, int gapMs) {
  if (gapMs > 0) {
    for (const std::uint8_t byte : bytes)
      if (!line.Send(&byte, 1) || !SleepMs(gapMs)) return false;
    return true;
  }
  if (!pace) return line.Send(bytes.data(), bytes.size());
  const auto start = std::chrono::steady_clock::now();
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    // Every byte whose time has come, at once: the average speed holds whatever the sleeps' grain.
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const std::size_t due = std::min(bytes.size(), static_cast<std::size_t>(elapsed / kByteTime) + 1);
    if (due > sent) {
      if (!line.Send(bytes.data() + sent, due - sent)) return false;
      sent = due;
      continue;
    }
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, start + kByteTime * static_cast<std::int64_t>(sent), [this] { return stop_; }))
      return false;
  }
  return true;
}

bool InProcessHost::Reply(InProcessLine& line, const Answer& answer, bool pace) {
  if (!SleepMs(answer.waitMs)) return false;
  for (const Bytes& frame : answer.frames) {
    if (!SleepMs(answer.faults.delayMs)) return false;
    if (!SendBytes(line, frame, pace || answer.faults.pace, answer.faults.splitGapMs)) return false;
    if (answer.hangUp) {
      // The rest of the answer never comes: the line goes as the cable does.
      line.HangUp();
      return false;
    }
  }
  return true;
}

void InProcessHost::Serve() {
  HostFrameReader reader;
  std::unique_lock lock(mutex_);
  while (!stop_) {
    wake_.wait(lock, [this] { return stop_ || newLine_ || !inbox_.empty() || !injectQueue_.empty(); });
    if (stop_) break;
    if (newLine_) {
      reader = HostFrameReader();
      newLine_ = false;
    }
    const Bytes bytes = std::move(inbox_);
    inbox_.clear();
    const Bytes inject = std::move(injectQueue_);
    injectQueue_.clear();
    const std::shared_ptr<InProcessLine> line = line_;
    const bool pace = pace_;
    lock.unlock();
    if (line && !inject.empty()) line->Send(inject.data(), inject.size());
    Read(bytes.data(), bytes.size());
    for (const Bytes& frame : reader.Feed(bytes.data(), bytes.size())) {
      const Answer answer = Take(frame);
      if (line && !Reply(*line, answer, pace)) break;
    }
    lock.lock();
  }
}

}  // namespace veyra::hostsim

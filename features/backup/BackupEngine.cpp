#include "features/backup/BackupEngine.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"

namespace veyra::backup {

namespace {

// Far beyond what a host sends, so one that never stops talking cannot hold a backup for ever.
constexpr int kMaxListFrames = 10000;
constexpr auto kMaxListTime = std::chrono::minutes(5);
// How long one wait lasts before the window is given a chance to paint.
constexpr auto kKeepAliveSlice = std::chrono::milliseconds(20);

int QuietMs() { return std::max(1, ExchangeSettings::waittime.load()); }

}  // namespace

// Queues every frame the port recognises while the engine owns it.
class BackupEngine::Link final : public HostLink {
 public:
  ~Link() override { ReleasePort(); }

  void OnReply(const Bytes&, const Bytes& receivedFrame) override {
    {
      std::lock_guard lock(mutex_);
      frames_.push_back(receivedFrame);
    }
    cv_.notify_all();
  }
  void OnLineLost() override {
    {
      std::lock_guard lock(mutex_);
      lost_ = true;
    }
    cv_.notify_all();
  }

  // Sends one command, frames left from before dropped; true when the host answered.
  bool Send(const Bytes& payload) {
    {
      std::lock_guard lock(mutex_);
      frames_.clear();
    }
    ClearPayload();
    Payload = payload;
    return SendAndWait(Payload, -1, -1) != 0;
  }

  // The next frame, or none once the line has been quiet for quietMs or is lost.
  std::optional<Bytes> Next(int quietMs) {
    const auto quietEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(quietMs);
    std::unique_lock lock(mutex_);
    while (frames_.empty() && !lost_) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= quietEnd) break;
      cv_.wait_for(lock, std::min<std::chrono::steady_clock::duration>(kKeepAliveSlice, quietEnd - now));
      lock.unlock();
      Messages().KeepAlive();
      lock.lock();
    }
    if (frames_.empty()) return std::nullopt;
    Bytes frame = std::move(frames_.front());
    frames_.pop_front();
    return frame;
  }

  // Hands every frame of a many-frame answer to take until it says it has all it needs, the line
  // goes quiet, or a bound is reached.
  void ReadList(const std::function<bool(const Bytes&)>& take) {
    const auto deadline = std::chrono::steady_clock::now() + kMaxListTime;
    for (int frames = 0; frames < kMaxListFrames && std::chrono::steady_clock::now() < deadline; ++frames) {
      const std::optional<Bytes> frame = Next(QuietMs());
      if (!frame || take(*frame)) return;
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Bytes> frames_;
  bool lost_ = false;
};

int WriteItemCount(const AreaSet& areas) {
  return (areas[static_cast<int>(Area::Setup)] ? 1 : 0) +
         (areas[static_cast<int>(Area::Timers)] ? static_cast<int>(alarm::TimedGroupNames.size()) : 0) +
         (areas[static_cast<int>(Area::Phones)] ? alarm::kPhoneSlotCount : 0);
}

BackupEngine::BackupEngine(HostPort& port)
    : port_(&port), previousOwner_(port.Owner()), link_(std::make_unique<Link>()) {
  link_->SetCommn(&port);
}

BackupEngine::~BackupEngine() {
  link_->ReleasePort();
  if (previousOwner_ && port_->Owner() == nullptr) port_->SetOwner(previousOwner_);
}

ReadResult BackupEngine::Read(const AreaSet& areas) {
  ReadResult result;
  HostConfiguration config;
  int total = 0, done = 0;
  for (Area area : AllAreas) total += areas[static_cast<int>(area)] ? 1 : 0;
  const auto fail = [&](Area area, std::string_view why) {
    result.failure = std::string(AreaNames[static_cast<int>(area)]) + ": " + std::string(why);
    return result;
  };
  for (Area area : AllAreas) {
    if (!areas[static_cast<int>(area)]) continue;
    if (progress_) progress_(done, total, AreaNames[static_cast<int>(area)]);
    switch (area) {
      case Area::Setup: {
        if (!link_->Send(settings::SetupReadPayload())) return fail(area, "no reply");
        const Bytes sent = link_->SentFrame();
        std::optional<settings::SetupReply> reply;
        link_->ReadList(
            [&](const Bytes& frame) { return (reply = settings::SetupReadReply(sent, frame)).has_value(); });
        if (!reply) return fail(area, "no setup record in the reply");
        config.setup = reply->record;
        break;
      }
      case Area::Timers: {
        if (!link_->Send(alarm::TimedLookupPayload())) return fail(area, "no reply");
        const Bytes sent = link_->SentFrame();
        std::array<bool, alarm::TimedGroupNames.size()> got{};
        link_->ReadList([&](const Bytes& frame) {
          const std::optional<alarm::TimedSchedule> schedule = alarm::TimedLookupRecord(sent, frame);
          if (schedule && schedule->group >= 1 && schedule->group <= static_cast<int>(got.size())) {
            config.timers[schedule->group - 1] = *schedule;
            got[schedule->group - 1] = true;
          }
          return std::all_of(got.begin(), got.end(), [](bool g) { return g; });
        });
        for (std::size_t g = 0; g < got.size(); ++g)
          if (!got[g]) return fail(area, "no schedule for group " + std::to_string(g + 1));
        break;
      }
      case Area::Phones: {
        if (!link_->Send(alarm::PhoneReadPayload())) return fail(area, "no reply");
        std::array<bool, alarm::kPhoneSlotCount> got{};
        link_->ReadList([&](const Bytes& frame) {
          if (const std::optional<alarm::PhoneNumber> number = alarm::DecodePhoneFrame(frame)) {
            config.phones[number->slot - 1] = number->text;
            got[number->slot - 1] = true;
          }
          return std::all_of(got.begin(), got.end(), [](bool g) { return g; });
        });
        for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot)
          if (!got[slot - 1]) return fail(area, "no number for " + PhoneFieldName(slot));
        break;
      }
      case Area::Devices: {
        // The list has no end marker: it ends when the line goes quiet.
        link_->Send(sensors::SensorListPayload());
        link_->ReadList([&](const Bytes& frame) {
          if (const std::optional<sensors::DeviceRecord> device = sensors::DecodeDeviceFrame(frame))
            config.devices.push_back(*device);
          return false;
        });
        break;
      }
    }
    if (port_->LineLost()) return fail(area, "the line was lost");
    ++done;
  }
  if (progress_) progress_(done, total, {});
  result.config = std::move(config);
  return result;
}

std::vector<ItemResult> BackupEngine::Write(const HostConfiguration& config, const AreaSet& areas) {
  std::vector<ItemResult> results;
  const int total = WriteItemCount(areas);
  const AckCheck acks = link_->Acks();
  // Sends one item and judges the first frame that answers it.
  const auto write = [&](std::string item, const Bytes& payload,
                         const std::function<bool(const Bytes& sent, const Bytes& reply)>& acknowledged) {
    if (progress_) progress_(static_cast<int>(results.size()), total, item);
    ItemResult result{std::move(item), ItemOutcome::NoReply};
    if (link_->Send(payload)) {
      const Bytes sent = link_->SentFrame();
      if (const std::optional<Bytes> reply = link_->Next(0))
        result.outcome = acknowledged(sent, *reply) ? ItemOutcome::Acknowledged : ItemOutcome::Refused;
    }
    results.push_back(std::move(result));
  };
  if (areas[static_cast<int>(Area::Setup)]) {
    write("setup", settings::SetupWritePayload(config.setup), [&](const Bytes& sent, const Bytes& reply) {
      const std::optional<Message> message = settings::SetupReplyMessage(sent, reply, acks);
      return message && message->text == settings::kSetupWriteAcceptedText;
    });
  }
  if (areas[static_cast<int>(Area::Timers)]) {
    for (const alarm::TimedSchedule& schedule : config.timers) {
      const alarm::TimedRequest request = alarm::TimedSetPayload(schedule);
      const std::string item = "timers.group" + std::to_string(schedule.group);
      if (!request.payload) {  // the file's check refuses these first
        results.push_back({item, ItemOutcome::Refused});
        continue;
      }
      write(item, *request.payload, [&](const Bytes& sent, const Bytes& reply) {
        const std::optional<Message> message = alarm::TimedSetReplyMessage(sent, reply, acks);
        return message && message->text == alarm::kTimedSetSuccessText;
      });
    }
  }
  if (areas[static_cast<int>(Area::Phones)]) {
    for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot) {
      const alarm::PhoneRequest request = alarm::PhoneWritePayload(slot, config.phones[slot - 1]);
      const std::string item = "phones." + PhoneFieldName(slot);
      if (!request.payload) {
        results.push_back({item, ItemOutcome::Refused});
        continue;
      }
      write(item, *request.payload,
            [&](const Bytes&, const Bytes& reply) { return alarm::PhoneWriteAcknowledged(reply, acks); });
    }
  }
  if (progress_) progress_(total, total, {});
  return results;
}

}  // namespace veyra::backup

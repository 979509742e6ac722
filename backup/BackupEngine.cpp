#include "backup/BackupEngine.h"

#include <algorithm>

#include "backup/BackupFields.h"
#include "backup/RestoreItems.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "session/FrameQueue.h"

namespace veyra::backup {

using session::ReadList;

int WriteItemCount(const AreaSet& areas) {
  return (areas[static_cast<int>(Area::Setup)] ? 1 : 0) +
         (areas[static_cast<int>(Area::Timers)] ? static_cast<int>(alarm::TimedGroupNames.size()) : 0) +
         (areas[static_cast<int>(Area::Phones)] ? alarm::kPhoneSlotCount : 0);
}

BackupEngine::BackupEngine(HostPort& port)
    : port_(&port), previousOwner_(port.Owner()), link_(std::make_unique<session::FrameQueue>()) {
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
        ReadList(*link_, session::QuietMs(), session::kShortListBounds, [&](const Bytes& frame) {
          return (reply = settings::SetupReadReply(sent, frame)).has_value();
        });
        if (!reply) return fail(area, "no setup record in the reply");
        config.setup = reply->record;
        break;
      }
      case Area::Timers: {
        if (!link_->Send(alarm::TimedLookupPayload())) return fail(area, "no reply");
        const Bytes sent = link_->SentFrame();
        std::array<bool, alarm::TimedGroupNames.size()> got{};
        ReadList(*link_, session::QuietMs(), session::kShortListBounds, [&](const Bytes& frame) {
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
        ReadList(*link_, session::QuietMs(), session::kShortListBounds, [&](const Bytes& frame) {
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
        ReadList(*link_, session::QuietMs(), session::kLongListBounds, [&](const Bytes& frame) {
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

std::vector<ItemResult> BackupEngine::Write(const HostConfiguration& config, const AreaSet& areas,
                                            const ItemReport& report) {
  std::vector<ItemResult> results;
  const int total = WriteItemCount(areas);
  const AckCheck acks = link_->Acks();
  int unansweredInARow = 0;
  const auto judged = [&](ItemResult result) {
    // Only an answer shows the host is still there.
    if (result.outcome == ItemOutcome::NoReply)
      ++unansweredInARow;
    else if (result.outcome == ItemOutcome::Acknowledged || result.outcome == ItemOutcome::Refused)
      unansweredInARow = 0;
    if (report) report(result);
    results.push_back(std::move(result));
  };
  // Whether a reply acknowledges the item, by the area's own rule.
  const auto acknowledged = [&acks](Area area, const Bytes& sent, const Bytes& reply) {
    std::optional<ReplyOutcome> outcome;
    switch (area) {
      case Area::Setup:
        outcome = settings::SetupReplyOutcome(sent, reply, acks);
        break;
      case Area::Timers:
        outcome = alarm::TimedSetReplyOutcome(sent, reply, acks);
        break;
      case Area::Phones:
        return alarm::PhoneWriteAcknowledged(reply, acks);
      case Area::Devices:
        break;
    }
    return outcome && outcome->acknowledged;
  };
  for (RestoreItem& item : RestoreItems(config, areas)) {
    if (progress_) progress_(static_cast<int>(results.size()), total, item.item);
    ItemResult result{std::move(item.item), ItemOutcome::NoReply, {}};
    if (!item.payload) {
      result.outcome = ItemOutcome::NotRestorable;
      result.note = std::move(item.note);
    } else if (unansweredInARow >= kUnansweredItemsToStop) {
      result.outcome = ItemOutcome::NotSent;
    } else if (link_->Send(*item.payload)) {
      // The first frame that answers is this item's: the link keeps a late copy of an earlier
      // item's answer from being taken for it.
      const Bytes sent = link_->SentFrame();
      if (const std::optional<Bytes> reply = link_->Next(0))
        result.outcome =
            acknowledged(item.area, sent, *reply) ? ItemOutcome::Acknowledged : ItemOutcome::Refused;
    }
    judged(std::move(result));
  }
  if (progress_) progress_(total, total, {});
  return results;
}

}  // namespace veyra::backup

// Reads a host's whole configuration and writes it back, area by area, through a link of its own
// on the port the program already has open: the same in the main window and in veyractl. Every
// payload, decoding and acknowledgement rule is the feature codecs'; this only orders the commands
// and collects the answers.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/HostConfiguration.h"

namespace veyra {
class HostLink;
class HostPort;
}  // namespace veyra
namespace veyra::session {
class FrameQueue;
}  // namespace veyra::session

namespace veyra::backup {

// One step done of `total`, named for a progress line ("setup", "phones.voice3").
using Progress = std::function<void(int done, int total, std::string_view step)>;

struct ReadResult {
  std::optional<HostConfiguration> config;  // none: the read failed
  std::string failure;                      // "timers: no reply"
};

// NotSent: the host had stopped answering, so the restore stopped before this item.
// NotRestorable: the file holds a value the host keeps but no command can write back.
enum class ItemOutcome { Acknowledged, Refused, NoReply, NotSent, NotRestorable };
// Indexed by ItemOutcome, as a restore prints them.
inline constexpr std::array<std::string_view, 5> ItemOutcomeTexts = {"acknowledged", "refused", "no reply",
                                                                     "not sent", "not restorable"};

struct ItemResult {
  std::string item;  // "setup", "timers.group2", "phones.sms1"
  ItemOutcome outcome = ItemOutcome::NoReply;
  std::string note;  // why, for NotRestorable
};
// Told of each item as soon as it is judged, in order.
using ItemReport = std::function<void(const ItemResult&)>;

// After this many items in a row without a reply the host is taken to be gone: the rest are not
// sent, so a silent host ends a restore in seconds instead of a minute.
inline constexpr int kUnansweredItemsToStop = 2;

// How many commands Write sends for the areas: the setup record, one per timer group, one per
// telephone slot.
int WriteItemCount(const AreaSet& areas);

class BackupEngine {
 public:
  // Takes the port's replies for as long as it lives and hands them back to whichever link had
  // them before. The port must be open, and logged in where the host asks for it.
  explicit BackupEngine(HostPort& port);
  ~BackupEngine();
  BackupEngine(const BackupEngine&) = delete;
  BackupEngine& operator=(const BackupEngine&) = delete;

  void SetProgress(Progress progress) { progress_ = std::move(progress); }

  // Reads the chosen areas (the others are left at their defaults). A host without devices
  // answers the device list with silence, which reads as none.
  ReadResult Read(const AreaSet& areas);

  // Writes the chosen writable areas of config, each command judged by its own acknowledgement;
  // goes on after a refusal or a single silence so every item gets its verdict, and stops after
  // kUnansweredItemsToStop silences in a row, the rest reported NotSent.
  std::vector<ItemResult> Write(const HostConfiguration& config, const AreaSet& areas,
                                const ItemReport& report = {});

 private:
  HostPort* port_;
  HostLink* previousOwner_;
  std::unique_ptr<session::FrameQueue> link_;
  Progress progress_;
};

}  // namespace veyra::backup

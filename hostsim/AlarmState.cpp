#include "hostsim/AlarmState.h"

namespace veyra::hostsim {

namespace {

constexpr std::uint8_t kReadLog = 0x02;
constexpr std::uint8_t kSetTimer = 0x08;
constexpr std::uint8_t kArm = 0x09;
constexpr std::uint8_t kDisarm = 0x0A;
constexpr std::uint8_t kPartial = 0x0B;
constexpr std::uint8_t kReadNumbers = 0x0C;
constexpr std::uint8_t kWriteNumber = 0x0D;
constexpr std::uint8_t kEraseLog = 0x0F;
constexpr std::uint8_t kReadTimers = 0x10;

constexpr std::uint8_t kEmptyNumber = 0xFF;

// Three dozen records, as a host in use for a year might hold them, then three whose frames hold a
// 0xAA after the start, as a real log's do now and then: source 10 with event 10 packs to 0xAA,
// then a zone of 170, then a record whose checksum comes out 0xAA.
constexpr LogEntry kSeedLog[] = {
    {0, 0, 0, 1, 5, 8, 30},     {1, 2, 0, 1, 5, 18, 2},      {1, 0, 0, 1, 6, 8, 15},
    {3, 1, 2, 1, 6, 13, 47},    {1, 4, 0, 1, 9, 21, 5},      {2, 1, 1, 1, 12, 3, 22},
    {4, 1, 5, 1, 20, 16, 40},   {5, 1, 6, 2, 1, 7, 12},      {6, 5, 0, 2, 3, 9, 0},
    {6, 6, 0, 2, 3, 17, 45},    {7, 1, 8, 2, 14, 23, 59},    {8, 10, 0, 2, 28, 12, 0},
    {9, 15, 0, 3, 1, 0, 0},     {10, 1, 9, 3, 9, 14, 45},    {6, 3, 0, 3, 8, 8, 8},
    {11, 1, 10, 4, 11, 6, 33},  {4, 15, 5, 4, 1, 0, 30},     {1, 0, 0, 4, 2, 7, 45},
    {1, 2, 0, 4, 2, 19, 5},     {2, 1, 3, 4, 3, 2, 10},      {12, 1, 11, 5, 17, 15, 20},
    {0, 6, 0, 5, 20, 20, 20},   {13, 3, 0, 6, 2, 19, 10},    {13, 2, 0, 6, 2, 22, 30},
    {0, 7, 0, 7, 4, 2, 18},     {0, 8, 0, 7, 4, 2, 19},      {0, 9, 0, 7, 4, 2, 20},
    {0, 11, 0, 8, 15, 10, 5},   {0, 12, 0, 8, 15, 10, 50},   {0, 13, 0, 9, 30, 8, 0},
    {0, 14, 0, 9, 30, 18, 0},   {14, 1, 12, 10, 10, 11, 11}, {15, 1, 13, 11, 23, 4, 44},
    {2, 1, 99, 12, 31, 23, 59}, {3, 1, 255, 12, 25, 0, 1},   {1, 0, 0, 12, 31, 23, 58},
    {10, 10, 4, 12, 30, 9, 15}, {2, 1, 170, 12, 30, 9, 16},  {4, 1, 200, 1, 2, 6, 27},
};

}  // namespace

AlarmState::AlarmState() {
  timers_[0] = TimerGroup{1, 8, 30, 1, 18, 0};  // every day 08:30, every day 18:00
  timers_[1] = TimerGroup{7, 22, 0, 8, 9, 15};  // Saturday 22:00, Sunday 09:15
  timers_[2] = TimerGroup{};                    // off

  slots_.fill(Bytes{kEmptyNumber});
  slots_[0] = {0x13, 0x80, 0x01, 0x38, 0x00, 0x0F};              // 13800138000
  slots_[1] = {0x3B, 0x86, 0x13, 0x91, 0x23, 0x45, 0x67, 0x8F};  // 3G8613912345678
  slots_[2] = {0xB2, 0x10, 0x1F};                                // *2101
  slots_[5] = {0x11, 0x2F};                                      // 112
  slots_[6] = {0x13, 0x91, 0x23, 0x45, 0x67, 0x8F};              // 13912345678
  slots_[9] = {0x13, 0x80, 0x00, 0x01, 0x11, 0x1F};              // 13800001111

  log_.assign(std::begin(kSeedLog), std::end(kSeedLog));
}

bool AlarmState::Handles(std::uint8_t command) const {
  switch (command) {
    case kReadLog:
    case kSetTimer:
    case kArm:
    case kDisarm:
    case kPartial:
    case kReadNumbers:
    case kWriteNumber:
    case kEraseLog:
    case kReadTimers:
      return true;
    default:
      return false;
  }
}

std::vector<Bytes> AlarmState::Handle(const Bytes& frame) {
  if (frame.size() < kFrameOverhead) return {};
  switch (frame[2]) {
    case kArm:
      mode_ = AlarmMode::Armed;
      return Acknowledge(kArm);
    case kDisarm:
      mode_ = AlarmMode::Disarmed;
      return Acknowledge(kDisarm);
    case kPartial:
      mode_ = AlarmMode::Partial;
      return Acknowledge(kPartial);
    case kSetTimer:
      return SetTimer(frame);
    case kReadTimers:
      return ReadTimers();
    case kWriteNumber:
      return WriteNumber(frame);
    case kReadNumbers:
      return ReadNumbers();
    case kReadLog:
      return ReadLog();
    case kEraseLog:
      log_.clear();
      return Acknowledge(kEraseLog);
    default:
      return {};
  }
}

const TimerGroup& AlarmState::Timer(int group) const { return timers_.at(group - 1); }

const Bytes& AlarmState::SlotBytes(int slot) const { return slots_.at(slot - 1); }

std::vector<Bytes> AlarmState::Acknowledge(std::uint8_t command) const {
  return {BuildFrame({0x00, command})};
}

std::vector<Bytes> AlarmState::SetTimer(const Bytes& frame) {
  if (FrameDataLength(frame) < 7) return {};
  const std::uint8_t* d = frame.data() + 3;
  const std::uint8_t group = d[0];
  // A switched-off time (day 0) keeps whatever hour and minute it is given: hosts in the field hold
  // an unused group as 00 FF FF, and take it back so.
  auto valid = [](std::uint8_t day, std::uint8_t hour, std::uint8_t minute) {
    return day == 0 || (day <= 8 && hour <= 23 && minute <= 59);
  };
  if (group < 1 || group > kGroupCount || !valid(d[1], d[2], d[3]) || !valid(d[4], d[5], d[6])) return {};
  timers_[group - 1] = TimerGroup{d[1], d[2], d[3], d[4], d[5], d[6]};
  return Acknowledge(kSetTimer);
}

std::vector<Bytes> AlarmState::ReadTimers() const {
  std::vector<Bytes> frames;
  for (int g = 0; g < kGroupCount; ++g) {
    const TimerGroup& t = timers_[g];
    frames.push_back(BuildFrame({0x07, kReadTimers, static_cast<std::uint8_t>(g + 1), t.armDay, t.armHour,
                                 t.armMinute, t.disarmDay, t.disarmHour, t.disarmMinute}));
  }
  return frames;
}

std::vector<Bytes> AlarmState::WriteNumber(const Bytes& frame) {
  const std::size_t length = FrameDataLength(frame);
  if (length < 1) return {};
  const std::uint8_t slot = frame[3];
  const std::size_t packed = length - 1u;
  if (slot < 1 || slot > kSlotCount || packed > kMaxPackedBytes) return {};
  Bytes& stored = slots_[slot - 1];
  if (packed == 0) {
    stored = Bytes{kEmptyNumber};
  } else {
    stored.assign(frame.begin() + 4, frame.begin() + 4 + static_cast<std::ptrdiff_t>(packed));
  }
  return Acknowledge(kWriteNumber);
}

std::vector<Bytes> AlarmState::ReadNumbers() const {
  std::vector<Bytes> frames;
  for (int s = 0; s < kSlotCount; ++s) {
    const Bytes& packed = slots_[s];
    Bytes payload;
    payload.reserve(packed.size() + 3);
    payload.push_back(static_cast<std::uint8_t>(packed.size() + 1));
    payload.push_back(kReadNumbers);
    payload.push_back(static_cast<std::uint8_t>(s + 1));
    payload.insert(payload.end(), packed.begin(), packed.end());
    frames.push_back(BuildFrame(payload));
  }
  return frames;
}

std::vector<Bytes> AlarmState::ReadLog() const {
  std::vector<Bytes> frames;
  frames.reserve(log_.size());
  for (std::size_t i = 0; i < log_.size(); ++i) {
    const LogEntry& e = log_[i];
    // Month in bits 15..12, day in 11..5, hour in 4..0 of the big-endian pair.
    const std::uint8_t monthDay = static_cast<std::uint8_t>((e.month << 4) | ((e.day >> 3) & 0x0F));
    const std::uint8_t dayHour = static_cast<std::uint8_t>(((e.day & 0x07) << 5) | (e.hour & 0x1F));
    frames.push_back(BuildFrame({0x06, kReadLog, static_cast<std::uint8_t>(i + 1),
                                 static_cast<std::uint8_t>((e.source << 4) | (e.event & 0x0F)), e.zone,
                                 monthDay, dayHour, e.minute}));
  }
  return frames;
}

}  // namespace veyra::hostsim

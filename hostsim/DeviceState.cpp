#include "hostsim/DeviceState.h"

#include <algorithm>

namespace veyra::hostsim {

namespace {

constexpr std::uint8_t kLearn = 0x11;
constexpr std::uint8_t kList = 0x12;
constexpr std::uint8_t kRemoteRecord = 0x13;
constexpr std::uint8_t kDoorbellRecord = 0x14;
constexpr std::uint8_t kDeleteOne = 0x15;
constexpr std::uint8_t kDeleteSensors = 0x16;
constexpr std::uint8_t kDeleteRemotes = 0x17;
constexpr std::uint8_t kDeleteDoorbells = 0x18;
constexpr std::uint8_t kSirenId = 0x19;
constexpr std::uint8_t kKeypadRecord = 0x24;

// Learnt type codes that are no sensor: they go to a table of their own.
constexpr int kRemoteType = 1;
constexpr int kDoorbellType = 9;
constexpr int kKeypadType = 10;

// The kinds a single deletion names.
constexpr std::uint8_t kKindRemote = 0;
constexpr std::uint8_t kKindSensor = 1;

Bytes Acknowledge(std::uint8_t command) { return BuildFrame({0x00, command}); }

bool HasLength(const Bytes& frame, std::size_t dataLength) {
  return frame[1] == dataLength && frame.size() == dataLength + kFrameOverhead;
}

bool PackedDecimal(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

template <class Slots>
int Occupied(const Slots& slots) {
  return static_cast<int>(
      std::count_if(slots.begin(), slots.end(), [](const auto& slot) { return slot.has_value(); }));
}

// The slot of a device number; an empty one for a number outside the table.
template <class Slots>
const typename Slots::value_type& At(const Slots& slots, int number) {
  static const typename Slots::value_type kNone;
  if (number < 1 || number > static_cast<int>(slots.size())) return kNone;
  return slots[static_cast<std::size_t>(number - 1)];
}

Bytes SensorRecord(std::size_t slot, const HostSensor& s) {
  return BuildFrame({0x07, kList, static_cast<std::uint8_t>(slot + 1), s.id[0], s.id[1], s.id[2], s.id[3],
                     s.zone, s.typeMode});
}

Bytes TagRecord(std::uint8_t command, std::size_t slot, const HostTag& id) {
  return BuildFrame({0x04, command, static_cast<std::uint8_t>(slot + 1), id[0], id[1], id[2]});
}

Bytes KeypadRecord(const HostKeypad& id) { return BuildFrame({0x02, kKeypadRecord, id[0], id[1]}); }

// A receiver takes the last 0xAA before the end byte for the frame's start: a record with 0xAA
// in its ID or checksum could never be read off the line.
bool Readable(const Bytes& frame) {
  return std::find(frame.begin() + 1, frame.end(), kFrameStart) == frame.end();
}

}  // namespace

DeviceState::DeviceState() {
  const struct {
    std::uint8_t zone, typeMode;
  } sensors[] = {
      {0x01, 0x21},  // PIR, arming
      {0x12, 0x32},  // door, partial
      {0x15, 0x44},  // active infrared, alarm
      {0x20, 0x54},  // gas, alarm
      {0x21, 0x65},  // smoke, delayed arming
      {0x07, 0x73},  // water, disarming
      {0x33, 0x86},  // heat, delayed partial
      {0x99, 0x14},  // panic button, alarm
  };
  for (std::size_t i = 0; i < std::size(sensors); ++i) StoreSensor(i, sensors[i].zone, sensors[i].typeMode);
  remotes_[0] = HostTag{0x1A, 0x02, 0xB3};
  remotes_[1] = HostTag{0x1A, 0x02, 0xB4};
  doorbells_[0] = HostTag{0xD0, 0x0B, 0xE1};
  keypad_ = HostKeypad{0x4B, 0x01};
}

bool DeviceState::Handles(std::uint8_t command) const {
  switch (command) {
    case kLearn:
    case kList:
    case kDeleteOne:
    case kDeleteSensors:
    case kDeleteRemotes:
    case kDeleteDoorbells:
    case kSirenId:
      return true;
    default:
      return false;
  }
}

std::vector<Bytes> DeviceState::Handle(const Bytes& frame) {
  if (frame.size() < kFrameOverhead) return {};
  const std::uint8_t command = frame[2];
  switch (command) {
    case kList:
      return HasLength(frame, 0) ? List() : std::vector<Bytes>{};
    case kLearn:
      return Learn(frame);
    case kDeleteOne:
      return DeleteOne(frame);
    case kSirenId:
      return SetSiren(frame);
    case kDeleteSensors:
    case kDeleteRemotes:
    case kDeleteDoorbells:
      if (!HasLength(frame, 0)) return {};
      if (command == kDeleteSensors) sensors_.fill(std::nullopt);
      if (command == kDeleteRemotes) remotes_.fill(std::nullopt);
      if (command == kDeleteDoorbells) doorbells_.fill(std::nullopt);
      return {Acknowledge(command)};
    default:
      return {};
  }
}

std::vector<Bytes> DeviceState::List() const {
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < sensors_.size(); ++i)
    if (sensors_[i]) frames.push_back(SensorRecord(i, *sensors_[i]));
  for (std::size_t i = 0; i < remotes_.size(); ++i)
    if (remotes_[i]) frames.push_back(TagRecord(kRemoteRecord, i, *remotes_[i]));
  for (std::size_t i = 0; i < doorbells_.size(); ++i)
    if (doorbells_[i]) frames.push_back(TagRecord(kDoorbellRecord, i, *doorbells_[i]));
  if (keypad_) frames.push_back(KeypadRecord(*keypad_));
  return frames;
}

std::vector<Bytes> DeviceState::Learn(const Bytes& frame) {
  if (!HasLength(frame, 2)) return {};
  const int type = frame[3] >> 4, mode = frame[3] & 0x0F;
  const std::uint8_t zone = frame[4];
  if (type < 1 || type > kKeypadType || mode < 1 || mode > 6 || !PackedDecimal(zone)) return {};
  // The host acknowledges at once and listens for the device; here it is heard straight away.
  bool stored = true;
  if (type == kRemoteType) {
    stored = StoreTag(remotes_, kRemoteRecord);
  } else if (type == kDoorbellType) {
    stored = StoreTag(doorbells_, kDoorbellRecord);
  } else if (type == kKeypadType) {
    do {
      const std::uint32_t id = FreshId();
      keypad_ = HostKeypad{static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id)};
    } while (!Readable(KeypadRecord(*keypad_)));
  } else {
    const auto free = std::find_if(sensors_.begin(), sensors_.end(), [](const auto& slot) { return !slot; });
    stored = free != sensors_.end();
    if (stored) StoreSensor(static_cast<std::size_t>(free - sensors_.begin()), zone, frame[3]);
  }
  if (!stored) return {};
  return {Acknowledge(kLearn)};
}

std::vector<Bytes> DeviceState::DeleteOne(const Bytes& frame) {
  if (!HasLength(frame, 2)) return {};
  const std::uint8_t kind = frame[3];
  const int slot = frame[4];
  if (kind == kKindRemote && slot < kRemoteSlots) {
    remotes_[static_cast<std::size_t>(slot)].reset();
  } else if (kind == kKindSensor && slot < kSensorSlots) {
    sensors_[static_cast<std::size_t>(slot)].reset();
  } else {
    return {};
  }
  return {Acknowledge(kDeleteOne)};
}

std::vector<Bytes> DeviceState::SetSiren(const Bytes& frame) {
  if (!HasLength(frame, 4)) return {};
  for (int i = 3; i < 7; ++i)
    if ((frame[i] >> 4) > 2 || (frame[i] & 0x0F) > 2) return {};
  std::copy(frame.begin() + 3, frame.begin() + 7, sirenId_.begin());
  return {Acknowledge(kSirenId)};
}

void DeviceState::StoreSensor(std::size_t slot, std::uint8_t zone, std::uint8_t typeMode) {
  do {
    const std::uint32_t id = FreshId();
    sensors_[slot] = HostSensor{{static_cast<std::uint8_t>(id >> 24), static_cast<std::uint8_t>(id >> 16),
                                 static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id)},
                                zone,
                                typeMode};
  } while (!Readable(SensorRecord(slot, *sensors_[slot])));
}

template <class Slots>
bool DeviceState::StoreTag(Slots& slots, std::uint8_t command) {
  const auto free = std::find_if(slots.begin(), slots.end(), [](const auto& slot) { return !slot; });
  if (free == slots.end()) return false;
  const auto slot = static_cast<std::size_t>(free - slots.begin());
  do {
    const std::uint32_t id = FreshId();
    *free = HostTag{static_cast<std::uint8_t>(id >> 16), static_cast<std::uint8_t>(id >> 8),
                    static_cast<std::uint8_t>(id)};
  } while (!Readable(TagRecord(command, slot, **free)));
  return true;
}

std::uint32_t DeviceState::FreshId() {
  // A fixed sequence, so a test can run twice alike; each learn hears a device never heard before.
  idSeed_ = idSeed_ * 1664525u + 1013904223u;
  return idSeed_;
}

const std::optional<HostSensor>& DeviceState::Sensor(int number) const { return At(sensors_, number); }
const std::optional<HostTag>& DeviceState::Remote(int number) const { return At(remotes_, number); }
const std::optional<HostTag>& DeviceState::Doorbell(int number) const { return At(doorbells_, number); }

int DeviceState::SensorCount() const { return Occupied(sensors_); }
int DeviceState::RemoteCount() const { return Occupied(remotes_); }
int DeviceState::DoorbellCount() const { return Occupied(doorbells_); }
int DeviceState::DeviceCount() const {
  return SensorCount() + RemoteCount() + DoorbellCount() + (keypad_ ? 1 : 0);
}

void DeviceState::SetSensor(int number, const std::optional<HostSensor>& sensor) {
  if (number >= 1 && number <= kSensorSlots) sensors_[static_cast<std::size_t>(number - 1)] = sensor;
}
void DeviceState::SetRemote(int number, const std::optional<HostTag>& remote) {
  if (number >= 1 && number <= kRemoteSlots) remotes_[static_cast<std::size_t>(number - 1)] = remote;
}
void DeviceState::SetDoorbell(int number, const std::optional<HostTag>& doorbell) {
  if (number >= 1 && number <= kDoorbellSlots) doorbells_[static_cast<std::size_t>(number - 1)] = doorbell;
}

void DeviceState::Clear() {
  sensors_.fill(std::nullopt);
  remotes_.fill(std::nullopt);
  doorbells_.fill(std::nullopt);
  keypad_.reset();
}

}  // namespace veyra::hostsim

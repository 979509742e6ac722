// The simulated host's side of enrolled devices, learning, deletion, the siren ID: frame in, reply frames
// out. Built from the host's byte layouts on its own, not from the utility's codecs. Not synchronised: the
// owner serialises Handle and the accessors.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

// An enrolled sensor as the host keeps it: its radio ID, packed-decimal zone and the byte with
// the type code in the high nibble and the zone mode in the low one.
struct HostSensor {
  std::array<std::uint8_t, 4> id{};
  std::uint8_t zone = 0;
  std::uint8_t typeMode = 0;

  bool operator==(const HostSensor&) const = default;
};

// A remote control or a doorbell: a three-byte radio ID.
using HostTag = std::array<std::uint8_t, 3>;
using HostKeypad = std::array<std::uint8_t, 2>;

class DeviceState {
 public:
  // The host keeps devices in numbered slots; a device's number is its slot plus one, and a
  // deletion names the slot.
  static constexpr int kSensorSlots = 32;
  static constexpr int kRemoteSlots = 8;
  static constexpr int kDoorbellSlots = 8;

  // Eight sensors (one of each type from 2 to 8, and a panic button) in several zones and modes,
  // two remote controls, a doorbell and a keypad: twelve devices. The siren ID is 00000000.
  DeviceState();

  bool Handles(std::uint8_t command) const;

  // Whole reply frames AA..55. The list query gets one frame per device (sensors, remote
  // controls, doorbells by slot, then the keypad) and none when there is no device; the other
  // commands their acknowledgement AA 00 kk kk 55. None for a frame the host does not take:
  // wrong LEN, a type, mode, zone, kind or slot it has not, siren digits above 2, a full table.
  std::vector<Bytes> Handle(const Bytes& frame);

  const std::optional<HostSensor>& Sensor(int number) const;  // number 1 to kSensorSlots
  const std::optional<HostTag>& Remote(int number) const;     // 1 to kRemoteSlots
  const std::optional<HostTag>& Doorbell(int number) const;   // 1 to kDoorbellSlots
  const std::optional<HostKeypad>& Keypad() const { return keypad_; }
  int SensorCount() const;
  int RemoteCount() const;
  int DoorbellCount() const;
  int DeviceCount() const;
  const std::array<std::uint8_t, 4>& SirenId() const { return sirenId_; }

  void SetSensor(int number, const std::optional<HostSensor>& sensor);
  void SetRemote(int number, const std::optional<HostTag>& remote);
  void SetDoorbell(int number, const std::optional<HostTag>& doorbell);
  void SetKeypad(const std::optional<HostKeypad>& keypad) { keypad_ = keypad; }
  void Clear();  // no device at all

 private:
  std::vector<Bytes> List() const;
  std::vector<Bytes> Learn(const Bytes& frame);
  std::vector<Bytes> DeleteOne(const Bytes& frame);
  std::vector<Bytes> SetSiren(const Bytes& frame);
  // A fresh ID for the slot, one whose record frame a receiver can read.
  void StoreSensor(std::size_t slot, std::uint8_t zone, std::uint8_t typeMode);
  // In the first free slot, with a fresh ID; false when the table is full.
  template <class Slots>
  bool StoreTag(Slots& slots, std::uint8_t command);
  std::uint32_t FreshId();

  std::array<std::optional<HostSensor>, kSensorSlots> sensors_{};
  std::array<std::optional<HostTag>, kRemoteSlots> remotes_{};
  std::array<std::optional<HostTag>, kDoorbellSlots> doorbells_{};
  std::optional<HostKeypad> keypad_;
  std::array<std::uint8_t, 4> sirenId_{};
  std::uint32_t idSeed_ = 0x5EED1234;
};

}  // namespace veyra::hostsim

// The simulated host's device table. Listing through the dialogs and veyractl is proven end to
// end; here stay what those cannot see: checksums, where a learnt device goes and which slot a
// deletion empties. Frames the host must refuse are AccessoryStateTest's.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "features/sensors/SensorListCodec.h"
#include "hostsim/DeviceState.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using test::Hex;

const Bytes kList = Hex("AA 00 12 12 55");

std::vector<std::string> ListedRows(DeviceState& host) {
  std::vector<std::string> rows;
  for (const Bytes& frame : host.Handle(kList)) {
    const auto cells = sensors::SensorListRow(frame, sensors::kFilterAll);
    rows.push_back(cells ? sensors::SensorTabLine(*cells) : "undecodable " + FormatHex(frame));
  }
  return rows;
}

TEST(DeviceState, FreshHostListsTwelveWellFormedDevicesOfEveryKind) {
  DeviceState host;
  const std::vector<Bytes> frames = host.Handle(kList);
  ASSERT_EQ(frames.size(), 12u);
  std::set<std::uint8_t> commands, types, modes;
  for (const Bytes& frame : frames) {
    ASSERT_GE(frame.size(), kFrameOverhead);
    EXPECT_EQ(frame.size(), frame[1] + kFrameOverhead) << FormatHex(frame);
    EXPECT_EQ(frame[frame.size() - 2], Checksum(Bytes(frame.begin() + 1, frame.end() - 2)))
        << FormatHex(frame);
    EXPECT_EQ(frame.back(), kFrameEnd);
    EXPECT_EQ(std::count(frame.begin() + 1, frame.end(), kFrameStart), 0)
        << "unreadable: " << FormatHex(frame);
    commands.insert(frame[2]);
    if (frame[2] == 0x12) {
      types.insert(frame[9] >> 4);
      modes.insert(frame[9] & 0x0F);
    }
  }
  EXPECT_EQ(commands, (std::set<std::uint8_t>{0x12, 0x13, 0x14, 0x24}));
  EXPECT_EQ(types, (std::set<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(modes, (std::set<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(host.DeviceCount(), 12);
}

TEST(DeviceState, LearningEnrolsTheSentKindWithAFreshIdInTheFirstFreeSlot) {
  DeviceState host;
  host.SetSensor(2, std::nullopt);
  const auto learn = [&host](const char* payload) {
    return test::Hexes(host.Handle(BuildFrame(Hex(payload))));
  };
  using Lines = std::vector<std::string>;

  EXPECT_EQ(learn("02 11 32 12"), Lines{"AA 00 11 11 55"});
  ASSERT_TRUE(host.Sensor(2));
  EXPECT_EQ(host.Sensor(2)->zone, 0x12);
  EXPECT_EQ(host.Sensor(2)->typeMode, 0x32);
  for (int n : {1, 3, 4, 5, 6, 7, 8})
    EXPECT_NE(host.Sensor(n)->id, host.Sensor(2)->id) << "ID heard before: " << n;

  EXPECT_EQ(learn("02 11 11 01"), Lines{"AA 00 11 11 55"});
  EXPECT_EQ(host.RemoteCount(), 3) << "a remote control learnt as a sensor";
  EXPECT_EQ(learn("02 11 91 94"), Lines{"AA 00 11 11 55"});
  EXPECT_EQ(host.DoorbellCount(), 2) << "a doorbell learnt as a sensor";
  const HostKeypad keypad = *host.Keypad();
  EXPECT_EQ(learn("02 11 A6 01"), Lines{"AA 00 11 11 55"});
  EXPECT_NE(*host.Keypad(), keypad) << "the new keypad not heard";
  EXPECT_EQ(host.SensorCount(), 8);
  EXPECT_EQ(host.DeviceCount(), 14) << "a second keypad kept beside the first";

  // A receiver takes the last 0xAA before the end for the start: no ID may put one into a record.
  for (int i = 0; i < 24; ++i) host.Handle(BuildFrame(Hex("02 11 21 01")));
  EXPECT_EQ(host.SensorCount(), DeviceState::kSensorSlots);
  for (const Bytes& frame : host.Handle(kList))
    EXPECT_EQ(std::count(frame.begin() + 1, frame.end(), kFrameStart), 0)
        << "unreadable: " << FormatHex(frame);
}

TEST(DeviceState, DeletionEmptiesTheNamedSlotOrEveryDeviceOfAKind) {
  DeviceState host;
  EXPECT_EQ(test::Hexes(host.Handle(BuildFrame(Hex("02 15 01 00")))),
            std::vector<std::string>{"AA 00 15 15 55"});
  EXPECT_FALSE(host.Sensor(1)) << "index 0 is device number 1";
  EXPECT_TRUE(host.Sensor(2));
  host.Handle(BuildFrame(Hex("02 15 00 01")));
  EXPECT_TRUE(host.Remote(1));
  EXPECT_FALSE(host.Remote(2));
  EXPECT_EQ(ListedRows(host).front().rfind("DДверной датчик\t02\t12\tВыборка\t", 0), 0u)
      << "numbers shift after a deletion";

  for (const char* frame : {"AA 00 16 16 55", "AA 00 17 17 55", "AA 00 18 18 55"})
    EXPECT_EQ(FormatHex(host.Handle(Hex(frame)).at(0)), frame);
  EXPECT_EQ(host.DeviceCount(), 1) << "the keypad is no sensor, remote control or doorbell";
  EXPECT_EQ(ListedRows(host), std::vector<std::string>{"keypad\t01\t01\tПусто\t4b:01"});
  host.Clear();
  EXPECT_TRUE(host.Handle(kList).empty()) << "an empty table answers nothing";
}

TEST(DeviceState, SirenIdIsKept) {
  DeviceState host;
  EXPECT_EQ(FormatHex(host.Handle(BuildFrame(Hex("04 19 01 20 11 20"))).at(0)), "AA 00 19 19 55");
  EXPECT_EQ(host.SirenId(), (std::array<std::uint8_t, 4>{0x01, 0x20, 0x11, 0x20}));
}

}  // namespace
}  // namespace veyra::hostsim

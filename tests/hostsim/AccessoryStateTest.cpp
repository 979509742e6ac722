// The simulated host fed literal frames: what its smart-home and MMS side keeps, and that no side
// answers or keeps a frame it cannot take. What the dialogs send is proven against it end to end
// elsewhere.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "features/sensors/SensorListCodec.h"
#include "hostsim/AccessoryState.h"
#include "hostsim/AlarmState.h"
#include "hostsim/DeviceState.h"
#include "hostsim/SettingsState.h"
#include "hostsim/SimulatedHost.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using test::Hex;

Bytes Frame(const std::string& payload) { return BuildFrame(Hex(payload)); }

// A text command's frame: LEN, the command, the text's bytes.
Bytes TextFrame(std::uint8_t command, const std::string& text) {
  Bytes payload(text.begin(), text.end());
  payload.insert(payload.begin(), {static_cast<std::uint8_t>(text.size()), command});
  return BuildFrame(payload);
}

// Rows run in order against one host; each is acknowledged and leaves what it says.
TEST(AccessoryState, KeepsWhatEachCommandSets) {
  SimulatedHost host;
  const struct {
    const char* expect;
    Bytes frame;
    const char* kept;  // found in the state afterwards
  } rows[] = {
      // clang-format off
      {"ID digits are unpacked in order", Frame("03 20 12 34 56"), "id=123456 "},
      {"the single trigger is kept", Frame("01 21 09"), "single=09 "},
      {"the double trigger off is kept", Frame("01 22 90"), "double=90 "},
      {"the APN is kept whole past its space", TextFrame(0x26, "my apn"), "apn=my apn "},
      {"password and user are kept in their places", TextFrame(0x27, R"("pw","user")"), "password=pw user=user "},
      {"an empty password part is kept", TextFrame(0x27, R"("","u")"), "password= user=u "},
      {"a URL with 8-bit bytes is kept unchanged", TextFrame(0x29, "http://m\xE9s/"), "url=http://m\xE9s/ "},
      {"the WAP 1.2 flag reads as 1.2", TextFrame(0x30, R"(0,"10.0.0.172",80)"), "wap=1.2 ip=10.0.0.172 port=80 "},
      {"an empty IP and port are kept", TextFrame(0x30, R"(1,"",)"), "wap=2.0 ip= port= "},
      {"an empty APN is kept", Frame("00 26"), "apn= "},
      {"an empty user and password are kept", Frame("00 27"), "password= user= "},
      {"an odd number's padding is dropped", Frame("04 32 B7 12 34 5F"), "phone=+712345 tests=1"},
      {"an even number's padding is dropped", Frame("03 32 12 34 FF"), "phone=1234 tests=2"},
      {"an empty number is kept", Frame("01 32 FF"), "phone= tests=3"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(host.Handle(row.frame), std::vector<Bytes>{SimulatedHost::Ack(row.frame[2])});
    const std::string kept = host.Accessories().Describe();
    EXPECT_NE(kept.find(row.kept), std::string::npos) << kept;
  }
}

// The device table as the listing shows it.
std::vector<std::string> Listed(DeviceState devices) {
  std::vector<std::string> rows;
  for (const Bytes& frame : devices.Handle(Hex("AA 00 12 12 55"))) {
    const auto cells = sensors::SensorListRow(frame, sensors::kFilterAll);
    rows.push_back(cells ? sensors::SensorTabLine(*cells) : "undecodable " + FormatHex(frame));
  }
  return rows;
}

TEST(HostState, FramesTheHostCannotKeepGoUnansweredAndChangeNothing) {
  Bytes packed33{34, 0x0D, 0x01};
  packed33.insert(packed33.end(), 33, 0x11);
  const auto fill = [](SimulatedHost& host) {
    for (int n = 1; n <= DeviceState::kSensorSlots; ++n)
      host.Devices().SetSensor(n, HostSensor{{1, 2, 3, static_cast<std::uint8_t>(n)}, 0x01, 0x21});
  };
  const struct {
    const char* name;
    Bytes frame;
    std::function<void(SimulatedHost&)> prepare = [](SimulatedHost&) {};
  } rows[] = {
      {"a frame cut short", Hex("AA 00")},
      // The alarm side.
      {"timer group 0", Frame("07 08 00 01 07 00 01 13 00")},
      {"timer group 4", Frame("07 08 04 01 07 00 01 13 00")},
      {"hour 24", Frame("07 08 01 01 18 00 01 13 00")},
      {"minute 60", Frame("07 08 01 01 07 3C 01 13 00")},
      {"day code 9", Frame("07 08 01 01 07 00 09 13 00")},
      {"timer record one byte short", Frame("06 08 01 01 07 00 01 13")},
      {"number slot 0", Frame("02 0D 00 FF")},
      {"number slot 13", Frame("02 0D 0D FF")},
      {"number without a slot", Frame("00 0D")},
      {"33 packed bytes, one past the host's 32", BuildFrame(packed33)},
      // The settings side.
      {"setup record one byte short", Frame("05 04 BB 03 05 1E 0A")},
      {"setup record one byte long", Frame("07 04 BB 03 05 1E 0A 01 00")},
      {"clock digit A", Frame("08 06 20 13 0A 17 14 05 09 04")},
      {"month 13", Frame("08 06 20 13 13 17 14 05 09 04")},
      {"clock hour 24", Frame("08 06 20 13 01 17 24 05 09 04")},
      {"weekday 0, the C library's Sunday", Frame("08 06 20 13 01 17 14 05 09 00")},
      {"weekday 8", Frame("08 06 20 13 01 17 14 05 09 08")},
      // The device table.
      {"a list query with data", Frame("01 12 00")},
      {"learn without a zone", Frame("01 11 21")},
      {"learn type 0", Frame("02 11 01 01")},
      {"learn type 11", Frame("02 11 B1 01")},
      {"learn mode 0", Frame("02 11 20 01")},
      {"learn mode 7", Frame("02 11 27 01")},
      {"learn zone 0x1A", Frame("02 11 21 1A")},
      {"learn into a full sensor table", Frame("02 11 21 01"), fill},
      {"delete kind 2", Frame("02 15 02 00")},
      {"delete remote slot 8", Frame("02 15 00 08")},
      {"delete sensor slot 32", Frame("02 15 01 20")},
      {"delete all with data", Frame("01 16 00")},
      {"siren digit 3", Frame("04 19 01 20 11 30")},
      {"siren ID of three bytes", Frame("03 19 01 20 11")},
      // The smart-home and MMS side.
      {"LEN not the data's length", Hex("AA 03 20 12 34 BF 55")},
      {"ID of two bytes", Frame("02 20 12 34")},
      {"ID nibble A", Frame("03 20 12 3A 56")},
      {"single channel 0", Frame("01 21 00")},
      {"single channel 10", Frame("01 21 0A")},
      {"double channel 0", Frame("01 22 01")},
      {"double state 2", Frame("01 22 12")},
      {"user text without quotes", TextFrame(0x27, "pw,user")},
      {"user text with one part", TextFrame(0x27, R"("pw")")},
      {"gateway flag 2", TextFrame(0x30, R"(2,"1.2.3.4",80)")},
      {"gateway IP unquoted", TextFrame(0x30, "1,1.2.3.4,80")},
      {"test number without padding", Frame("02 32 12 34")},
      {"test number without data", Frame("00 32")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SimulatedHost host, before;
    row.prepare(host);
    row.prepare(before);
    EXPECT_EQ(test::Hexes(host.Handle(row.frame)), std::vector<std::string>{});
    for (int group = 1; group <= 3; ++group)
      EXPECT_EQ(host.Alarm().Timer(group), before.Alarm().Timer(group));
    for (int slot = 1; slot <= 12; ++slot)
      EXPECT_EQ(host.Alarm().SlotBytes(slot), before.Alarm().SlotBytes(slot));
    EXPECT_EQ(host.Alarm().Mode(), before.Alarm().Mode());
    EXPECT_EQ(host.Alarm().Log(), before.Alarm().Log());
    EXPECT_EQ(host.Settings().Setup(), before.Settings().Setup());
    EXPECT_EQ(host.Settings().Clock(), before.Settings().Clock());
    EXPECT_EQ(host.Password(), before.Password());
    EXPECT_EQ(Listed(host.Devices()), Listed(before.Devices()));
    EXPECT_EQ(host.Devices().SirenId(), before.Devices().SirenId());
    EXPECT_EQ(host.Accessories().Describe(), before.Accessories().Describe());
  }
}

}  // namespace
}  // namespace veyra::hostsim

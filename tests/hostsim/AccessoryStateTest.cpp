// The simulated host's smart-home and MMS side, fed literal frames: what it keeps and which
// frames it must refuse. What the dialogs send is proven against it end to end elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/AccessoryState.h"
#include "hostsim/SimulatedHost.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using test::Hex;
using test::Hexes;

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
    const char* fault;
    Bytes frame;
    const char* kept;  // found in the state afterwards
  } rows[] = {
      // clang-format off
      {"ID digits unpacked in the wrong order", Frame("03 20 12 34 56"), "id=123456 "},
      {"single trigger not kept", Frame("01 21 09"), "single=09 "},
      {"double trigger off not kept", Frame("01 22 90"), "double=90 "},
      {"APN cut at its space", TextFrame(0x26, "my apn"), "apn=my apn "},
      {"password and user swapped", TextFrame(0x27, R"("pw","user")"), "password=pw user=user "},
      {"an empty password part refused", TextFrame(0x27, R"("","u")"), "password= user=u "},
      {"URL with 8-bit bytes changed", TextFrame(0x29, "http://m\xE9s/"), "url=http://m\xE9s/ "},
      {"WAP 1.2 flag read as 2.0", TextFrame(0x30, R"(0,"10.0.0.172",80)"), "wap=1.2 ip=10.0.0.172 port=80 "},
      {"empty IP and port refused", TextFrame(0x30, R"(1,"",)"), "wap=2.0 ip= port= "},
      {"an empty APN refused", Frame("00 26"), "apn= "},
      {"empty user and password refused", Frame("00 27"), "password= user= "},
      {"odd number's padding kept", Frame("04 32 B7 12 34 5F"), "phone=+712345 tests=1"},
      {"even number's padding kept", Frame("03 32 12 34 FF"), "phone=1234 tests=2"},
      {"empty number refused", Frame("01 32 FF"), "phone= tests=3"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(host.Handle(row.frame), std::vector<Bytes>{SimulatedHost::Ack(row.frame[2])});
    const std::string kept = host.Accessories().Describe();
    EXPECT_NE(kept.find(row.kept), std::string::npos) << kept;
  }
}

TEST(AccessoryState, FramesTheHostCannotTakeGoUnansweredAndChangeNothing) {
  const struct {
    const char* fault;
    Bytes frame;
  } rows[] = {
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
    SCOPED_TRACE(row.fault);
    AccessoryState host;
    EXPECT_EQ(Hexes(host.Handle(row.frame)), std::vector<std::string>{});
    EXPECT_EQ(host.Describe(), AccessoryState().Describe());
  }
}

}  // namespace
}  // namespace veyra::hostsim

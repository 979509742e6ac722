// The simulated host's settings side. Reads after writes and each reply's message are proven end
// to end through veyractl; here stay what those cannot see: checksums and the password a change
// leaves for the next login. Frames the host must refuse are AccessoryStateTest's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/SettingsState.h"
#include "hostsim/SimulatedHost.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using test::Hex;
using test::Hexes;

Bytes Frame(const std::string& payload) { return BuildFrame(Hex(payload)); }

// Rows run in order against one host: each reply byte for byte (checksums included), and each
// login shows which password the host holds.
TEST(SettingsState, RepliesAndThePasswordAChangeLeavesForTheNextLogin) {
  const std::string accepted = "AA 01 01 01 03 55", refused = "AA 01 01 00 02 55";
  const struct {
    const char* expect;
    const char* payload;
    const char* reply;
  } rows[] = {
      {"the setup read", "00 03", "AA 07 03 26 03 05 1E 0F 01 9A 01 55"},
      {"a setup write", "06 04 BB 03 05 1E 0A 01", "AA 00 04 04 55"},
      {"a clock write", "08 06 20 13 01 17 14 05 09 04", "AA 00 06 06 55"},
      {"a reset", "00 23", "AA 00 23 23 55"},
      {"a format", "00 25", "AA 00 25 25 55"},
      {"login with the first password", "02 01 12 34", accepted.c_str()},
      {"a wrong current password is refused with FF", "04 05 43 21 56 78", "AA 01 05 FF 06 55"},
      {"still the first password", "02 01 12 34", accepted.c_str()},
      {"a new password that is no digits is refused", "04 05 12 34 5A 78", "AA 01 05 00 06 55"},
      {"a change without the new password is refused", "02 05 12 34", "AA 01 05 00 06 55"},
      {"still the first password after the failed changes", "02 01 12 34", accepted.c_str()},
      {"a change with a leading zero", "04 05 12 34 05 67", "AA 01 05 05 0B 55"},
      {"the old password is refused", "02 01 12 34", refused.c_str()},
      {"the new password is let in", "02 01 05 67", accepted.c_str()},
  };
  SimulatedHost host("1234");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(Hexes(host.Handle(Frame(row.payload))), std::vector<std::string>{row.reply});
  }
  EXPECT_EQ(host.Password(), "0567");
  EXPECT_EQ(host.Settings().Clock(), (HostClock{2013, 1, 17, 14, 5, 9, 4}));
  EXPECT_EQ(host.Settings().Resets(), 1);
  EXPECT_EQ(host.Settings().Formats(), 1);
}

}  // namespace
}  // namespace veyra::hostsim

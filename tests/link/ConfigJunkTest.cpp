// config.ini as users and their editors write and damage it, read from disk as every exchange reads
// it: what can be read still counts, what cannot falls back to the default file's value, nothing
// crashes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fuzz/IniInvariants.h"
#include "link/Config.h"
#include "link/IniFile.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

using namespace std::string_literals;

// Bytes no editor writes: every value 0 to 255, in an order that repeats no pattern.
std::string BinaryJunk(std::size_t size) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>(state >> 24));
  }
  return bytes;
}

TEST(ConfigJunk, ReadableKeysCountAndTheRestKeepTheirDefaults) {
  const std::string kAck = "AA 00 09 09 55", kOwnAck = "AA 00 09 08 55", kHuge(23, '9');
  const std::string kLineOfMegabyte =
      "[timeout]\ntimes=5\nk=" + std::string((1 << 20) - 40, 'v') + "\nwaittime=200\n";
  const struct {
    const char* fault;
    std::string bytes;
    int times, waittime;
    std::string ack09;  // what a reply to command 09 is compared with
  } rows[] = {
      // clang-format off
      {"binary junk read as settings", BinaryJunk(64 * 1024), 3, 1000, kAck},
      {"binary junk hides the keys after it", BinaryJunk(4096) + "\n[timeout]\ntimes=5\nwaittime=200\n", 5, 200, kAck},
      {"a megabyte line hides the keys around it", kLineOfMegabyte, 5, 200, kAck},
      {"a byte order mark hides the first section",
       "\xEF\xBB\xBF[timeout]\r\ntimes=5\r\nwaittime=200\r\n[command_number]\r\n09=" + kOwnAck + "\r\n", 5, 200, kOwnAck},
      {"CR-only line ends make one line of the file",
       "[timeout]\rtimes=5\rwaittime=200\r[command_number]\r09=" + kOwnAck + "\r", 5, 200, kOwnAck},
      {"sections without keys read as zeros", "[main]\n[timeout]\n[command_number]\n", 3, 1000, kAck},
      {"keys outside any section taken", "times=5\nwaittime=200\n09=" + kOwnAck + "\n[timeout]\n", 3, 1000, kAck},
      {"blanks and tabs around values misread",
       "[timeout]\n  times \t=\t 5 \t\n\twaittime = 200   \n[command_number]\n09 =  " + kOwnAck + " \t\n", 5, 200, kOwnAck},
      {"a NUL byte ends the file", "[timeout]\ntimes=5\n\0junk=1\nwait\0time=9\nwaittime=200\0\n"s, 5, 200, kAck},
      {"a NUL byte read as a number", "[timeout]\ntimes=\0" "5\nwaittime=\0\n"s, 3, 1000, kAck},
      {"letters read as a count", "[timeout]\ntimes=abc\nwaittime=soon\n", 3, 1000, kAck},
      {"negative values used as they stand", "[timeout]\ntimes=-1\nwaittime=-5\n", 0, 1000, kAck},
      {"values past the bounds used", "[timeout]\ntimes=21\nwaittime=30001\n", 20, 30000, kAck},
      {"huge values wrap", "[timeout]\ntimes=99999999999999999999\nwaittime=-99999999999999999999\n", 20, 1000, kAck},
      {"an empty file sends nothing", "", 3, 1000, kAck},
      {"times from another section read", "[main]\ntimes=9\n[timeout]\nwaittime=10\n", 3, 10, kAck},
      {"a sign or text after the number rejected", "[timeout]\ntimes=+5 ; remark\nwaittime=250ms\n", 5, 250, kAck},
      {"an explicit zero replaced", "[timeout]\ntimes=0\nwaittime=0\n", 0, 0, kAck},
      {"huge numbers wrap negative", "[timeout]\ntimes=99999999999\nwaittime=4294967296\n", 20, 30000, kAck},
      {"a wait of decades freezes the window", "[timeout]\nwaittime=999999999999\n", 3, 30000, kAck},
      {"the bounds themselves cut", "[timeout]\ntimes=20\nwaittime=30000\n", 20, 30000, kAck},
      {"huge negative numbers wrap positive", "[timeout]\ntimes=-" + kHuge + "\nwaittime=-" + kHuge + "\n", 0, 1000,
       kAck},
      {"an entry without hex pairs accepts any reply", "[command_number]\n09=zz junk\n", 3, 1000, kAck},
      {"an empty entry accepts any reply", "[command_number]\n09=\n", 3, 1000, kAck},
      // clang-format on
  };
  test::ScratchDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const std::optional<IniFile> ini = IniFile::Open(dir.Write("config.ini", row.bytes), false);
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(ReadTimeouts(*ini), (TimeoutSettings{row.times, row.waittime}));
    EXPECT_EQ(FormatHex(ReadExpectedAck(*ini, "09")), row.ack09);
    EXPECT_EQ(fuzz::IniInvariantViolation(*ini), "");
  }
  // A key neither the file nor the default table lists accepts any reply, as it always has.
  EXPECT_EQ(ReadExpectedAck(IniFile::Parse(""), "0C"), Bytes{});
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::FrameLine;
using test::Hex;
using test::Hexes;
using test::RunVeyractl;

enum class HostFault { None, Silent, WrongReply };

struct Row {
  const char* fault;
  std::vector<std::string> args;  // after --port COM7
  HostFault host;
  int status;
  std::string out;
  std::vector<std::string> sent;  // frames on the line, in order
};

const std::string kClosing = "Сбой при сохранении телефонных номеров!\n";
const std::string kSlot = "Сбой при сохранения телефонных номеров ";

class VeyractlTimedPhoneTest : public test::PtyHostFixture {
 protected:
  test::ProcessResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", "COM7"});
    return RunVeyractl(args);
  }
  void Check(const Row& row) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == HostFault::Silent;
    if (row.host == HostFault::WrongReply) faults.replaceReply = Hex("AA 00 0D 0C 55");
    host.SetFaults(faults);
    env.SetTimeouts(row.host == HostFault::Silent ? 1 : 3, row.host == HostFault::Silent ? 200 : 300);
    host.ClearLog();
    const auto result = Run(row.args);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(Hexes(host.FramesReceived()), row.sent);
  }
};

// Rows run in order against one host; the read after them shows what the writes stored.
TEST_F(VeyractlTimedPhoneTest, Timers) {
  const std::string set = FrameLine("07 08 02 02 07 1E 01 13 00");
  const Row rows[] = {
      {"timers misprints a record",
       {"timers"},
       HostFault::None,
       0,
       "1\t01\tПовседневный,08:30\tПовседневный,18:00\n2\t02\tСуббота,22:00\tВоскресенье,09:"
       "15\n3\t03\tВыключить\tВыключить\n",
       {"AA 00 10 10 55"}},
      {"unanswered timers exits 0 or silently",
       {"timers"},
       HostFault::Silent,
       1,
       "Сбой!\n",
       {"AA 00 10 10 55"}},
      {"timer-set refused by the host reported as success",
       {"timer-set", "2", "2", "07:30", "1", "19:00"},
       HostFault::WrongReply,
       1,
       "Setting failure!\n",
       {set}},
      {"unanswered timer-set exits 0 or silently",
       {"timer-set", "2", "2", "07:30", "1", "19:00"},
       HostFault::Silent,
       1,
       "Setting failure!\n",
       {set}},
      {"hour 24 sent",
       {"timer-set", "2", "2", "24:00", "1", "19:00"},
       HostFault::None,
       1,
       "Неверное время!\nЧас постановки: от 0 до 23.\n",
       {}},
      {"an acknowledged timer-set fails",
       {"timer-set", "2", "2", "7:30", "1", "19:00"},
       HostFault::None,
       0,
       "Setting Successful!\n",
       {set}},
  };
  for (const Row& row : rows) Check(row);
  const auto read = Run({"timers"});
  EXPECT_EQ(read.status, 0);
  EXPECT_NE(read.out.find("2\t02\tПонедельник,07:30\tПовседневный,19:00\n"), std::string::npos) << read.out;
}

TEST_F(VeyractlTimedPhoneTest, Phones) {
  const Row rows[] = {
      {"phones leaves out a slot with no number",
       {"phones"},
       HostFault::None,
       0,
       "1\t13800138000\n2\t3G8613912345678\n3\t*"
       "2101\n4\t\n5\t\n6\t112\n7\t13912345678\n8\t\n9\t\n10\t13800001111\n11\t\n12\t\n",
       {"AA 00 0C 0C 55"}},
      {"unanswered phones exits 0 or silently",
       {"phones"},
       HostFault::Silent,
       1,
       "Сбой при получении телефонных номеров!\n",
       {"AA 00 0C 0C 55"}},
      {"unanswered phone-set leaves the slot or the save unreported",
       {"phone-set", "4=1"},
       HostFault::Silent,
       1,
       kSlot + "4!\n" + kClosing,
       {FrameLine("02 0D 04 1F")}},
      {"phone-set answered by something else than the acknowledgement taken for done",
       {"phone-set", "4=1"},
       HostFault::WrongReply,
       1,
       kClosing,
       {FrameLine("02 0D 04 1F")}},
      {"a refused number is sent, or stops the other slots",
       {"phone-set", "12=456", "3=12-34"},
       HostFault::None,
       1,
       kSlot + "3!\nЗнак «-» нельзя сохранить в номере: допустимы только цифры, * и G.\n" + kClosing,
       {FrameLine("03 0D 0C 45 6F")}},
      {"a number written with + sent, or refused without the way to write it",
       {"phone-set", "1=+79001234567"},
       HostFault::None,
       1,
       kSlot +
           "1!\nЗнак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» запишите как "
           "«8…» или «007…».\n" +
           kClosing,
       {}},
      {"phone-set writes out of slot order, or speaks on success",
       {"phone-set", "7=", "1=123", "2=3G1234"},
       HostFault::None,
       0,
       "",
       {"AA 03 0D 01 12 3F 62 55", FrameLine("05 0D 02 3B 12 34 FF"), FrameLine("02 0D 07 FF")}},
  };
  for (const Row& row : rows) Check(row);
  const auto read = Run({"phones"});
  EXPECT_EQ(read.status, 0);
  EXPECT_EQ(read.out,
            "1\t123\n2\t3G1234\n3\t*2101\n4\t1\n5\t\n6\t112\n7\t\n8\t\n9\t\n10\t13800001111\n11\t\n12\t456\n")
      << "a read after the writes shows them";
}

}  // namespace
}  // namespace veyra

// veyractl's smart-home and MMS commands against the simulated host on a pseudo-terminal: the
// bytes on the line, what is printed, the exit status and what the host keeps. Byte rules and the
// message each reply earns are the codecs' business.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/AccessoryState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::FrameLine;
using test::RunVeyractl;

using VeyractlSmartHomeMmsTest = test::PtyHostFixture;

// Every row starts from a fresh host; COM9 never opens, so a row on it that prints a refusal
// proves the refusal came before the port was touched. Usage errors and the other refusals are
// the bad-argument table's.
TEST_F(VeyractlSmartHomeMmsTest, EachCommandEndToEnd) {
  enum class Host { Answers, Silent };
  const std::string accepted = "Настройки приняты\n", sent = "Sending Successful\n";
  const struct {
    const char* fault;
    std::vector<std::string> args;
    Host host;
    int status;
    std::string out;
    std::vector<std::string> line;
    const char* kept = "";  // found in the host's state afterwards
  } rows[] = {
      // clang-format off
      {"ID not sent as given", {"COM7", "smarthome-id", "123456"}, Host::Answers, 0, accepted,
       {"AA 03 20 12 34 56 BF 55"}, "id=123456 "},
      {"single position taken 1-based", {"COM7", "trigger-single", "2"}, Host::Answers, 0, accepted,
       {"AA 01 21 03 25 55"}, "single=03 "},
      {"double position taken 1-based", {"COM7", "trigger-double", "3"}, Host::Answers, 0, accepted,
       {"AA 01 22 20 43 55"}, "double=20 "},
      {"an unanswered trigger exits 0 or silently", {"COM7", "trigger-single", "2"}, Host::Silent, 1,
       "Ошибка передачи данных!\n", {"AA 01 21 03 25 55"}},
      {"the argument not trimmed as the field is", {"COM7", "mms-apn", " internet\t"}, Host::Answers, 0, sent,
       {FrameLine("08 26 69 6E 74 65 72 6E 65 74")}, "apn=internet "},
      {"an empty argument not sent as an empty field", {"COM7", "mms-url", ""}, Host::Answers, 0, sent,
       {"AA 00 29 29 55"}},
      {"user and password taken in the wrong order", {"COM7", "mms-user", "u", "p"}, Host::Answers, 0, sent,
       {FrameLine("07 27 22 70 22 2C 22 75 22")}, "password=p user=u "},
      {"WAP 2.0 not the default", {"COM7", "mms-ip", "", ""}, Host::Answers, 0, sent,
       {"AA 05 30 31 2C 22 22 2C 03 55"}, "wap=2.0 ip= port= "},
      {"--wap 1.2 ignored", {"COM7", "mms-ip", "1.2.3.4", "80", "--wap", "1.2"}, Host::Answers, 0, sent,
       {FrameLine("0E 30 30 2C 22 31 2E 32 2E 33 2E 34 22 2C 38 30")}, "wap=1.2 ip=1.2.3.4 port=80 "},
      {"an answered test MMS fails or prints a result", {"COM7", "mms-test", "+712345"}, Host::Answers, 0, "",
       {"AA 04 32 B7 12 34 5F 93 55"}, "phone=+712345 tests=1"},
      {"an unanswered MMS setting exits 0 or silently", {"COM7", "mms-apn", "x"}, Host::Silent, 1,
       "Data sending error!\n", {"AA 01 26 78 9F 55"}},
      {"a port that does not open is no exit 2", {"COM9", "mms-apn", "x"}, Host::Answers, 2, "", {}},
      {"a refused ID opens the port", {"COM9", "smarthome-id", "12345"}, Host::Answers, 1,
       "Ошибка формата ввода!!\n", {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    host.SetFaults(faults);
    env.SetTimeouts(row.host == Host::Silent ? 1 : 2, 300);
    host.ClearLog();
    {
      auto lock = host.Lock();
      host.Host().Accessories() = hostsim::AccessoryState();
    }
    std::vector<std::string> args{"--port"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto result = RunVeyractl(args);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(test::Hexes(host.FramesReceived()), row.line);
    auto lock = host.Lock();
    const std::string kept = host.Host().Accessories().Describe();
    EXPECT_NE(kept.find(row.kept), std::string::npos) << kept;
  }
}

}  // namespace
}  // namespace veyra

// veyractl's settings commands against the simulated host on a pseudo-terminal: what they print,
// how they exit, the frames on the line and what the host keeps afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "features/settings/ClockCodec.h"
#include "hostsim/SettingsState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using hostsim::HostClock;
using hostsim::HostSetup;
using test::FrameLine;
using test::Hexes;
using test::RunVeyractl;

enum class Host { Answers, Silent, Refuses };

const std::string kRead = "AA 00 03 03 55";
const HostSetup kFresh = hostsim::SettingsState().Setup();

struct Row {
  const char* fault;
  std::vector<std::string> args;  // after --port COM7
  Host host;
  int status;
  std::string out;
  std::vector<std::string> sent;  // frames on the line, in order
  std::optional<HostSetup> before = std::nullopt;
  std::optional<HostSetup> after = std::nullopt;  // default: as before
};

class VeyractlSettingsTest : public test::PtyHostFixture {
 protected:
  // Every row starts from a fresh host with the password 1234.
  void Prepare(const Row& row) {
    const bool silent = row.host == Host::Silent;
    hostsim::Faults faults;
    faults.silent = silent;
    // The acknowledgement of a command no page sends: neither a record nor a verdict of ours.
    if (row.host == Host::Refuses) faults.replaceReply = test::Hex("AA 00 0E 0E 55");
    host.SetFaults(faults);
    env.SetTimeouts(silent ? 1 : 3, silent ? 200 : 300);
    {
      auto lock = host.Lock();
      host.Host().Settings() = hostsim::SettingsState();
      if (row.before) host.Host().Settings().SetSetup(*row.before);
      host.Host().SetPassword("1234");
    }
    host.ClearLog();
  }

  static test::ProcessResult Run(const Row& row) {
    std::vector<std::string> args = {"--port", "COM7"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    return RunVeyractl(args);
  }

  test::ProcessResult Check(const Row& row) {
    SCOPED_TRACE(row.fault);
    Prepare(row);
    const auto result = Run(row);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(Hexes(host.FramesReceived()), row.sent);
    auto lock = host.Lock();
    EXPECT_EQ(host.Host().Settings().Setup(), row.after.value_or(row.before.value_or(kFresh)));
    return result;
  }
};

// Which message each kind of reply earns is the codecs' business; here: the bytes on the line, the
// exit status, the message chosen when nothing came back, and what the host keeps.
TEST_F(VeyractlSettingsTest, EachCommandEndToEnd) {
  const std::string noRead = "Сбой получения настроек!\n", accepted = "Настройки конфигурации приняты!\n";
  const std::string setClock = FrameLine("08 06 20 16 02 29 12 00 00 01");
  const Row rows[] = {
      {"setup: one line per field as the page shows it",
       {"setup"},
       Host::Answers,
       0,
       "flags\t26\nsiren\t3\nredial\t5\narm_delay\t30\nalarm_delay\t15\nmms_size\t320*240\n"
       "network\tАвтоматически\nsignal\t1a (3G WCDMA)\n",
       {kRead}},
      {"setup unanswered", {"setup"}, Host::Silent, 1, noRead, {kRead}},
      {"setup-set writes more than the named fields",
       {"setup-set", "siren=10", "network=3g", "mirror=1", "sms_arm=0", "mms_size=2"},
       Host::Answers,
       0,
       accepted,
       {kRead, FrameLine("06 04 46 0A 05 1E 0F 02")},
       std::nullopt,
       HostSetup{0x46, 10, 5, 30, 15, 2}},
      {"setup-set overwrites a size this program has no text for",
       {"setup-set", "redial=300", "siren_sound=0"},
       Host::Answers,
       0,
       accepted,
       {kRead, FrameLine("06 04 A0 03 2C 1E 0F 05")},
       HostSetup{0xA2, 3, 5, 30, 15, 5},
       HostSetup{0xA0, 3, 44, 30, 15, 5}},
      {"setup-set writes without having read", {"setup-set", "siren=4"}, Host::Silent, 1, noRead, {kRead}},
      {"setup-set writes a record it could not read",
       {"setup-set", "siren=4"},
       Host::Refuses,
       1,
       noRead,
       {kRead}},
      {"reset acknowledged", {"reset", "--yes"}, Host::Answers, 0, "Сброс выполнен!\n", {"AA 00 23 23 55"}},
      {"reset unanswered",
       {"reset", "--yes"},
       Host::Silent,
       1,
       "Getting configure failed!\n",
       {"AA 00 23 23 55"}},
      {"format acknowledged",
       {"format", "--yes"},
       Host::Answers,
       0,
       "Форматирование успешно завершено!\n",
       {"AA 00 25 25 55"}},
      {"format unanswered", {"format", "--yes"}, Host::Silent, 1, noRead, {"AA 00 25 25 55"}},
      {"password changed",
       {"password-change", "1234", "5678"},
       Host::Answers,
       0,
       "Измененный пароль принят!\n",
       {FrameLine("04 05 12 34 56 78")}},
      {"password change unanswered",
       {"password-change", "1234", "5678"},
       Host::Silent,
       1,
       "Сбой изменения пароля!\n",
       {FrameLine("04 05 12 34 56 78")}},
      {"refused password sent",
       {"password-change", "1234", "5678", "5679"},
       Host::Answers,
       1,
       "Password input varies from!\n",
       {}},
      {"clock unanswered",
       {"clock-sync", "--at", "2016-02-29 12:00:00"},
       Host::Silent,
       1,
       "2016-02-29 12:00:00 Понедельник\nОшибка синхронизации времени!\n",
       {setClock}},
  };
  for (const Row& row : rows) Check(row);
}

TEST_F(VeyractlSettingsTest, TheLoginAfterAChangeTakesTheNewPassword) {
  env.SetTimeouts(2, 300);
  const auto change =
      RunVeyractl({"--port", "COM7", "--password", "1234", "password-change", "1234", "0567"});
  ASSERT_EQ(change.status, 0) << change.err;
  EXPECT_EQ(change.out, "Измененный пароль принят!\n");
  EXPECT_EQ(RunVeyractl({"--port", "COM7", "--password", "1234", "setup"}).status, 1)
      << "old password let in";
  const auto read = RunVeyractl({"--port", "COM7", "--password", "0567", "setup"});
  EXPECT_EQ(read.status, 0) << "new password refused: " << read.err;
}

TEST_F(VeyractlSettingsTest, ClockSyncAtAGivenTimeIsKept) {
  Check({"leap day",
         {"clock-sync", "--at", "2016-02-29 12:00:00"},
         Host::Answers,
         0,
         "2016-02-29 12:00:00 Понедельник\nВремя успешно синхронизировано!\n",
         {FrameLine("08 06 20 16 02 29 12 00 00 01")}});
  auto lock = host.Lock();
  EXPECT_EQ(host.Host().Settings().Clock(), (HostClock{2016, 2, 29, 12, 0, 0, 1}));
}

// Without --at the time is the local time at sending; what is printed is what was sent.
TEST_F(VeyractlSettingsTest, ClockSyncNowSendsTheTimeItPrints) {
  Prepare({"", {"clock-sync"}, Host::Answers, 0, "", {}});
  const auto result = Run({"", {"clock-sync"}, Host::Answers, 0, "", {}});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::size_t newline = result.out.find('\n');
  ASSERT_NE(newline, std::string::npos) << result.out;
  EXPECT_EQ(result.out.substr(newline + 1), "Время успешно синхронизировано!\n");
  const std::string text = result.out.substr(0, newline);
  const std::optional<settings::LocalTime> time = settings::ParseLocalTime(text.substr(0, 19));
  ASSERT_TRUE(time) << text;
  EXPECT_EQ(settings::ClockText(*time), text) << "weekday named for another day";
  EXPECT_EQ(Hexes(host.FramesReceived()),
            std::vector<std::string>{FormatHex(BuildFrame(settings::ClockPayload(*time)))});
}

}  // namespace
}  // namespace veyra

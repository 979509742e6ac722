// veyractl's commands against the simulated host on a pseudo-terminal, directly and through ser2net
// over raw TCP and RFC 2217: the bytes on the line, what is printed and the exit status, the same
// on every transport. Byte rules and the message each reply earns are the codecs'
// business, what the host keeps of a frame the simulated host's: the rows pin the frames sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "features/settings/ClockCodec.h"
#include "hostsim/AccessoryState.h"
#include "hostsim/AlarmState.h"
#include "hostsim/DeviceState.h"
#include "hostsim/SettingsState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Ser2net.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using hostsim::SimulatedHost;
using test::FrameLine;
using test::Hexes;
using test::RunVeyractl;

// How the host answers every command it carries out: as a host does, not at all, or (any other
// text) with that frame instead.
const std::string kAnswers, kSilent = "silent";
// The acknowledgement of a command none of these rows sends: no verdict on any of theirs.
const std::string kOtherAck = "AA 00 0E 0E 55";

struct Row {
  const char* expect;
  std::vector<std::string> args;  // after --port COM7, unless they name a port themselves
  std::string reply;              // kAnswers, kSilent or the frame the host answers with
  int status;
  std::string out;                                  // the whole of standard output
  std::vector<std::string> sent;                    // the frames the host received, in order
  std::function<void(SimulatedHost&)> before = {};  // the host's state, when not the fresh one
};

// How veyractl reaches the host: the pseudo-terminal itself, or ser2net serving it.
enum class Transport { Pty, RawTcp, Rfc2217 };

class VeyractlCommandTest : public test::PtyHostFixture, public ::testing::WithParamInterface<Transport> {
 protected:
  void SetUp() override {
    PtyHostFixture::SetUp();
    if (GetParam() == Transport::Pty) return;
    if (!test::Ser2netInstalled()) GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh)";
    ASSERT_TRUE(server.Start({{.rfc2217 = GetParam() == Transport::Rfc2217,
                               .device = host.DevicePath(),
                               .lineSettings = "9600n81",
                               .connector = {}}}));
  }
  // What --port names: COM7, or the URL of ser2net's accepter.
  std::string Port() const { return GetParam() == Transport::Pty ? "COM7" : server.Url(0); }

  // A row starts from a fresh host unless `fresh` is false: then from what the rows before left.
  void Check(const Row& row, bool fresh = true) {
    SCOPED_TRACE(row.expect);
    hostsim::Faults faults;
    faults.silent = row.reply == kSilent;
    if (!faults.silent && !row.reply.empty()) faults.replaceReply = test::Hex(row.reply);
    host.SetFaults(faults);
    // Two attempts: an unanswered command goes out twice.
    env.SetTimeouts(2, faults.silent ? 200 : 300);
    if (fresh) {
      auto lock = host.Lock();
      SimulatedHost& state = host.Host();
      state.Alarm() = hostsim::AlarmState();
      state.Settings() = hostsim::SettingsState();
      state.Devices() = hostsim::DeviceState();
      state.Accessories() = hostsim::AccessoryState();
      if (row.before) row.before(state);
    }
    host.ClearLog();
    std::vector<std::string> args = row.args;
    if (args.empty() || args[0] != "--port") args.insert(args.begin(), {"--port", Port()});
    const auto result = RunVeyractl(args);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(Hexes(host.FramesReceived()), row.sent);
  }

  test::Ser2net server;
};

TEST_P(VeyractlCommandTest, OperateAndHistory) {
  const std::string arm = "AA 00 09 09 55", disarm = "AA 00 0A 0A 55", partial = "AA 00 0B 0B 55";
  const std::string read = "AA 00 02 02 55", erase = "AA 00 0F 0F 55", refusal = "AA 00 0C 0C 55";
  const Row rows[] = {
      // clang-format off
      {"an acknowledged arm exits 0", {"arm"}, kAnswers, 0, "Активировать систему!\n", {arm}},
      {"--lang ru prints the Russian catalogue's message", {"--lang", "ru", "arm"}, kAnswers, 0, "Система поставлена на охрану!\n",
       {arm}},
      {"--lang original prints the message as written", {"--lang", "original", "arm"}, kAnswers, 0, "Активировать систему!\n",
       {arm}},
      {"--lang en prints the English message", {"--lang", "en", "arm"}, kAnswers, 0, "System armed!\n", {arm}},
      {"a refused disarm exits 1 and says so", {"disarm"}, refusal, 1, "Ошибка деактивации!\n", {disarm}},
      {"an unanswered partial is retried and exits 1", {"partial"}, kSilent, 1, "Выборочный режим Failure!\n",
       {partial, partial}},
      {"a silent host's history exits 1 and says so", {"history"}, kSilent, 1, "Нет истории!\n", {read, read}},
      {"an unanswered erase exits 1 and says so", {"erase-history", "--yes"}, kSilent, 1, "Сбой очистки истории!\n",
       {erase, erase}},
      {"a refused erase is reported as failed", {"erase-history", "--yes"}, refusal, 1, "Сбой очистки истории!\n", {erase}},
      {"an acknowledged erase exits 0", {"erase-history", "--yes"}, kAnswers, 0, "Удаление завершено!\n", {erase}},
      // clang-format on
  };
  for (const Row& row : rows) Check(row);
}

// The host's 39 records, in arrival order; how each is decoded is the history codec's.
TEST_P(VeyractlCommandTest, HistoryAfterALoginPrintsOneTabSeparatedLinePerRecordInArrivalOrder) {
  const auto result = RunVeyractl({"--port", Port(), "--password", "1234", "history"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 39) << result.out;
  EXPECT_EQ(result.out.rfind("1\tБаза\tПостановка на охрану\t00\t01/05 08:30\n", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("\n39\tДатчик дыма\tТревога\t200\t01/02 06:27\n"), std::string::npos);
  const auto frames = Hexes(host.FramesReceived());
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1], "AA 00 02 02 55") << "login first, then one read";
}

// The read ends only after a whole reply window without any frame, whenever the first one came;
// an exchange that got no reply at all ends the command there.
TEST_P(VeyractlCommandTest, HistoryPrintsRecordsThatArriveLate) {
  const struct {
    const char* expect;
    int records;
    int delayMs;  // before every record
    int waittime;
    bool answered;  // the first record came within the exchange
  } rows[] = {
      {"records after the first wait are printed", 3, 250, 400, true},
      {"a history nobody answered stops when the exchange gives up", 1, 450, 300, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::string expected;
    {
      auto lock = host.Lock();
      host.Host().Alarm().Handle(test::Hex("AA 00 0F 0F 55"));
      for (int i = 0; i < row.records; ++i) {
        host.Host().Alarm().AddLogEntry({2, 1, static_cast<std::uint8_t>(i), 3, 9, 14, 45});
        expected +=
            std::to_string(i + 1) + "\tДатчик движения\tТревога\t0" + std::to_string(i) + "\t03/09 14:45\n";
      }
    }
    env.SetTimeouts(1, row.waittime);
    hostsim::Faults late;
    late.delayMs = row.delayMs;
    host.SetFaults(late);
    const auto result = RunVeyractl({"--port", Port(), "history"});
    EXPECT_EQ(result.status, row.answered ? 0 : 1) << result.err;
    EXPECT_EQ(result.out, row.answered ? expected : "Нет истории!\n");
  }
}

TEST_P(VeyractlCommandTest, Sensors) {
  const std::string query = "AA 00 12 12 55", learn = FrameLine("02 11 32 12");
  // The fresh host's panic button and keypad, as their lines read.
  const auto id = hostsim::DeviceState().Sensor(8)->id;  // a copy: the state is a temporary
  char panic[96];
  std::snprintf(panic, sizeof panic, "Тревожная кнопка\t08\t99\tТревога\t%02x:%02x:%02x:%02x\n", id[0], id[1],
                id[2], id[3]);
  const auto noRemotes = [](SimulatedHost& h) { h.Devices().Handle(test::Hex("AA 00 17 17 55")); };
  const Row rows[] = {
      // clang-format off
      {"the panic filter lists the panic button and the keypad", {"sensors", "--filter", "10"}, kAnswers, 0,
       panic + std::string("keypad\t01\t01\tПусто\t4b:01\n"), {query}},
      {"a listing the filter empties prints nothing and exits 0", {"sensors", "--filter", "1"}, kAnswers, 0, "", {query}, noRemotes},
      {"an unanswered query exits 1 and says so", {"sensors"}, kSilent, 1, "Не искать датчик!\n", {query, query}},
      {"learn is sent right and its trigger request shown", {"learn", "2", "1", "12"}, kAnswers, 0,
       "Пожалуйста, триггерный датчик для записи в течение 30-х годов!\n", {learn}},
      {"an unanswered learn exits 1", {"learn", "2", "1", "12"}, kSilent, 1, "Ошибка передачи данных!\n", {learn, learn}},
      {"delete sends the number less one", {"delete", "1", "1"}, kAnswers, 0, "", {FrameLine("02 15 01 00")}},
      {"delete-all sensors", {"delete-all", "sensors", "--yes"}, kAnswers, 0, "", {"AA 00 16 16 55"}},
      {"delete-all remotes", {"delete-all", "remotes", "--yes"}, kAnswers, 0, "", {"AA 00 17 17 55"}},
      {"delete-all doorbells", {"delete-all", "doorbells", "--yes"}, kAnswers, 0, "", {"AA 00 18 18 55"}},
      // The host carries it out and answers with a frame that is no acknowledgement.
      {"a reply that is no acknowledgement exits 1", {"delete-all", "remotes", "--yes"}, kOtherAck, 1, "",
       {"AA 00 17 17 55"}},
      {"siren ID", {"siren-id", "01201120"}, kAnswers, 0, "", {FrameLine("04 19 01 20 11 20")}},
      // clang-format on
  };
  for (const Row& row : rows) Check(row);
  // Without --filter every device, in the order the host sends them.
  const auto result = RunVeyractl({"--port", Port(), "--password", "1234", "sensors"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 12) << result.out;
  EXPECT_NE(result.out.find("\nПульт ДУ\t02\t01\tТревога\t1a:02:b4\nБеспроводной звонок"), std::string::npos);
  EXPECT_EQ(Hexes(host.FramesReceived()).back(), query) << "login first, then the query";
}

TEST_P(VeyractlCommandTest, Settings) {
  const std::string read = "AA 00 03 03 55", noRead = "Сбой получения настроек!\n";
  const std::string accepted = "Настройки конфигурации приняты!\n", password = FrameLine("04 05 12 34 56 78");
  const std::string clock = FrameLine("08 06 20 16 02 29 12 00 00 01"), at = "2016-02-29 12:00:00";
  const std::string setup =
      "flags\t26\nsiren\t3\nredial\t5\narm_delay\t30\nalarm_delay\t15\nmms_size\t320*240\n"
      "network\tАвтоматически\nsignal\t1a (3G WCDMA)\n";
  const auto noSizeText = [](SimulatedHost& h) {
    h.Settings().SetSetup(hostsim::HostSetup{0xA2, 3, 5, 30, 15, 5});
  };
  const Row rows[] = {
      // clang-format off
      {"setup: one line per field as the page shows it", {"setup"}, kAnswers, 0, setup, {read}},
      {"setup unanswered", {"setup"}, kSilent, 1, noRead, {read, read}},
      {"setup-set writes the named fields over the read record",
       {"setup-set", "siren=10", "network=3g", "mirror=1", "sms_arm=0", "mms_size=2"}, kAnswers, 0, accepted,
       {read, FrameLine("06 04 46 0A 05 1E 0F 02")}},
      {"setup-set keeps a size this program has no text for", {"setup-set", "redial=300", "siren_sound=0"},
       kAnswers, 0, accepted, {read, FrameLine("06 04 A0 03 2C 1E 0F 05")}, noSizeText},
      {"setup-set writes nothing when the read fails", {"setup-set", "siren=4"}, kOtherAck, 1, noRead, {read}},
      {"reset acknowledged", {"reset", "--yes"}, kAnswers, 0, "Сброс выполнен!\n", {"AA 00 23 23 55"}},
      {"reset unanswered", {"reset", "--yes"}, kSilent, 1, "Getting configure failed!\n",
       {"AA 00 23 23 55", "AA 00 23 23 55"}},
      {"format acknowledged", {"format", "--yes"}, kAnswers, 0, "Форматирование успешно завершено!\n",
       {"AA 00 25 25 55"}},
      {"format unanswered", {"format", "--yes"}, kSilent, 1, noRead, {"AA 00 25 25 55", "AA 00 25 25 55"}},
      {"password changed", {"password-change", "1234", "5678"}, kAnswers, 0, "Измененный пароль принят!\n", {password}},
      {"password change unanswered", {"password-change", "1234", "5678"}, kSilent, 1, "Сбой изменения пароля!\n",
       {password, password}},
      {"a refused password is not sent", {"password-change", "1234", "5678", "5679"}, kAnswers, 1,
       "Password input varies from!\n", {}},
      {"the clock is set to the time --at gives", {"clock-sync", "--at", at}, kAnswers, 0,
       at + " Понедельник\nВремя успешно синхронизировано!\n", {clock}},
      {"clock unanswered", {"clock-sync", "--at", at}, kSilent, 1,
       at + " Понедельник\nОшибка синхронизации времени!\n", {clock, clock}},
      // clang-format on
  };
  for (const Row& row : rows) Check(row);
}

// Without --at the time is the local time at sending; what is printed is what was sent.
TEST_P(VeyractlCommandTest, ClockSyncNowSendsTheTimeItPrints) {
  const auto result = RunVeyractl({"--port", Port(), "clock-sync"});
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

// Rows run in order against one host: the reads after the writes show what they stored.
TEST_P(VeyractlCommandTest, TimersAndPhones) {
  const std::string timers = "AA 00 10 10 55", phones = "AA 00 0C 0C 55", wrong = "AA 00 0D 0C 55";
  const std::string set = FrameLine("07 08 02 02 07 1E 01 13 00"), four = FrameLine("02 0D 04 1F");
  const std::string kSlot = "Сбой при сохранения телефонных номеров ";
  const std::string kClosing = "Сбой при сохранении телефонных номеров!\n";
  const std::string kBadSign = "нельзя сохранить в номере: допустимы только цифры, * и G.";
  const std::string daily = "1\t01\tПовседневный,08:30\tПовседневный,18:00\n",
                    off = "3\t03\tВыключить\tВыключить\n";
  const Row rows[] = {
      // clang-format off
      {"timers prints each record as the page shows it", {"timers"}, kAnswers, 0, daily + "2\t02\tСуббота,22:00\tВоскресенье,09:15\n" + off,
       {timers}},
      {"unanswered timers exits 1 and says so", {"timers"}, kSilent, 1, "Сбой!\n", {timers, timers}},
      {"timer-set refused by the host is reported as failure", {"timer-set", "2", "2", "07:30", "1", "19:00"}, wrong, 1,
       "Setting failure!\n", {set}},
      {"an unanswered timer-set exits 1 and says so", {"timer-set", "2", "2", "07:30", "1", "19:00"}, kSilent, 1,
       "Setting failure!\n", {set, set}},
      {"hour 24 is refused unsent", {"timer-set", "2", "2", "24:00", "1", "19:00"}, kAnswers, 1,
       "Неверное время!\nЧас постановки: от 0 до 23.\n", {}},
      {"an acknowledged timer-set exits 0", {"timer-set", "2", "2", "7:30", "1", "19:00"}, kAnswers, 0,
       "Setting Successful!\n", {set}},
      {"timers after the writes shows them", {"timers"}, kAnswers, 0,
       daily + "2\t02\tПонедельник,07:30\tПовседневный,19:00\n" + off, {timers}},
      {"phones prints every slot, empty ones too", {"phones"}, kAnswers, 0,
       "1\t13800138000\n2\t3G8613912345678\n3\t*2101\n4\t\n5\t\n6\t112\n7\t13912345678\n8\t\n9\t\n10\t13800001111\n11\t\n12\t\n",
       {phones}},
      {"unanswered phones exits 1 and says so", {"phones"}, kSilent, 1, "Сбой при получении телефонных номеров!\n",
       {phones, phones}},
      {"an unanswered phone-set reports the slot and the save", {"phone-set", "4=1"}, kSilent, 1,
       kSlot + "4!\n" + kClosing, {four, four}},
      {"phone-set answered by something else than the acknowledgement is not done", {"phone-set", "4=1"}, wrong, 1,
       kClosing, {four}},
      {"a refused number is not sent and the other slots are", {"phone-set", "12=456", "3=12-34"}, kAnswers, 1,
       kSlot + "3!\nЗнак «-» " + kBadSign + "\n" + kClosing, {FrameLine("03 0D 0C 45 6F")}},
      {"a number written with + is refused with the way to write it", {"phone-set", "1=+79001234567"}, kAnswers, 1,
       kSlot + "1!\nЗнак «+» " + kBadSign + " Номер «+7…» запишите как «8…» или «007…».\n" + kClosing, {}},
      {"phone-set writes in slot order and is silent on success", {"phone-set", "7=", "1=123", "2=3G1234"}, kAnswers, 0, "",
       {"AA 03 0D 01 12 3F 62 55", FrameLine("05 0D 02 3B 12 34 FF"), FrameLine("02 0D 07 FF")}},
      {"phones after the writes shows them", {"phones"}, kAnswers, 0,
       "1\t123\n2\t3G1234\n3\t*2101\n4\t1\n5\t\n6\t112\n7\t\n8\t\n9\t\n10\t13800001111\n11\t\n12\t456\n", {phones}},
      // clang-format on
  };
  for (const Row& row : rows) Check(row, false);
}

// COM9 never opens, so a row on it that prints a refusal proves the refusal came before the port
// was touched. Usage errors and the other refusals are the bad-argument table's.
TEST_P(VeyractlCommandTest, SmartHomeAndMms) {
  const std::string accepted = "Настройки приняты\n", sent = "Sending Successful\n";
  const Row rows[] = {
      // clang-format off
      {"the ID is sent as given", {"smarthome-id", "123456"}, kAnswers, 0, accepted, {"AA 03 20 12 34 56 BF 55"}},
      {"the single position is 0-based", {"trigger-single", "2"}, kAnswers, 0, accepted, {"AA 01 21 03 25 55"}},
      {"the double position is 0-based", {"trigger-double", "3"}, kAnswers, 0, accepted, {"AA 01 22 20 43 55"}},
      {"an unanswered trigger exits 1 and says so", {"trigger-single", "2"}, kSilent, 1, "Ошибка передачи данных!\n",
       {"AA 01 21 03 25 55", "AA 01 21 03 25 55"}},
      {"the argument is trimmed as the field is", {"mms-apn", " internet\t"}, kAnswers, 0, sent,
       {FrameLine("08 26 69 6E 74 65 72 6E 65 74")}},
      {"an empty argument is sent as an empty field", {"mms-url", ""}, kAnswers, 0, sent, {"AA 00 29 29 55"}},
      {"user and password are taken in order", {"mms-user", "u", "p"}, kAnswers, 0, sent, {FrameLine("07 27 22 70 22 2C 22 75 22")}},
      {"WAP 2.0 is the default", {"mms-ip", "", ""}, kAnswers, 0, sent, {"AA 05 30 31 2C 22 22 2C 03 55"}},
      {"--wap 1.2 is sent", {"mms-ip", "1.2.3.4", "80", "--wap", "1.2"}, kAnswers, 0, sent,
       {FrameLine("0E 30 30 2C 22 31 2E 32 2E 33 2E 34 22 2C 38 30")}},
      {"an answered test MMS exits 0 and prints nothing", {"mms-test", "+712345"}, kAnswers, 0, "", {"AA 04 32 B7 12 34 5F 93 55"}},
      {"an unanswered MMS setting exits 1 and says so", {"mms-apn", "x"}, kSilent, 1, "Data sending error!\n",
       {"AA 01 26 78 9F 55", "AA 01 26 78 9F 55"}},
      {"a refused ID is refused before the port is opened", {"--port", "COM9", "smarthome-id", "12345"}, kAnswers, 1,
       "Ошибка формата ввода!!\n", {}},
      // clang-format on
  };
  for (const Row& row : rows) Check(row);
}

INSTANTIATE_TEST_SUITE_P(Transports, VeyractlCommandTest,
                         ::testing::Values(Transport::Pty, Transport::RawTcp, Transport::Rfc2217),
                         [](const ::testing::TestParamInfo<Transport>& transport) {
                           switch (transport.param) {
                             case Transport::Pty:
                               return "Pty";
                             case Transport::RawTcp:
                               return "RawTcp";
                             case Transport::Rfc2217:
                               return "Rfc2217";
                           }
                           return "";
                         });

}  // namespace
}  // namespace veyra

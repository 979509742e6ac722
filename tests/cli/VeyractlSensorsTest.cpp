// veyractl's sensor commands against the simulated host on a pseudo-terminal: what they print,
// how they exit, the frames on the line and what the host keeps afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/DeviceState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using hostsim::DeviceState;
using test::FrameLine;
using test::Hexes;
using test::RunVeyractl;

enum class Host { Answers, Silent, Refuses, Empty, NoRemotes };

const std::string kQuery = "AA 00 12 12 55";
const std::string kTrigger = "Пожалуйста, триггерный датчик для записи в течение 30-х годов!\n";

struct Row {
  const char* fault;
  std::vector<std::string> args;  // after --port COM7
  Host host;
  int status;
  std::string out;
  std::vector<std::string> sent;
  std::function<bool(const DeviceState&)> kept = [](const DeviceState& d) { return d.DeviceCount() == 12; };
  std::string port = "COM7";
};

class VeyractlSensorsTest : public test::PtyHostFixture {
 protected:
  // The fresh host's panic button and keypad, as their lines read.
  std::string PanicLines() {
    auto lock = host.Lock();
    const auto& id = host.Host().Devices().Sensor(8)->id;
    char text[96];
    std::snprintf(text, sizeof text, "Тревожная кнопка\t08\t99\tТревога\t%02x:%02x:%02x:%02x\n", id[0], id[1],
                  id[2], id[3]);
    return text + std::string("keypad\t01\t01\tПусто\t4b:01\n");
  }

  // Every row starts from a fresh host with its twelve devices.
  void Check(const Row& row) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    // The acknowledgement of a command this page never sends: no verdict on any of its own.
    if (row.host == Host::Refuses) faults.replaceReply = test::Hex("AA 00 0E 0E 55");
    host.SetFaults(faults);
    const bool quiet = row.host == Host::Silent || row.host == Host::Empty;
    env.SetTimeouts(quiet ? 2 : 3, 200);
    {
      auto lock = host.Lock();
      host.Host().Devices() = DeviceState();
      if (row.host == Host::Empty) host.Host().Devices().Clear();
      if (row.host == Host::NoRemotes) host.Host().Devices().Handle(test::Hex("AA 00 17 17 55"));
    }
    host.ClearLog();
    std::vector<std::string> args = {"--port", row.port};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto result = RunVeyractl(args);
    EXPECT_EQ(result.status, row.status) << "stderr: " << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(Hexes(host.FramesReceived()), row.sent);
    auto lock = host.Lock();
    EXPECT_TRUE(row.kept(host.Host().Devices()));
  }
};

TEST_F(VeyractlSensorsTest, ListingPrintsOneTabSeparatedLinePerDeviceTheFilterShows) {
  const Row rows[] = {
      {"panic filter misses the panic button or the keypad",
       {"sensors", "--filter", "10"},
       Host::Answers,
       0,
       PanicLines(),
       {kQuery}},
      {"doorbell filter shows sensors",
       {"sensors", "--filter", "9"},
       Host::Answers,
       0,
       "Беспроводной звонок\t01\t94\tПусто\td0:0b:e1\n",
       {kQuery}},
      {"a listing the filter empties reported as no host",
       {"sensors", "--filter", "1"},
       Host::NoRemotes,
       0,
       "",
       {kQuery},
       [](const DeviceState& d) { return d.RemoteCount() == 0; }},
      {"an empty host reported as success",
       {"sensors"},
       Host::Empty,
       1,
       "Не искать датчик!\n",
       {kQuery, kQuery},
       [](const DeviceState& d) { return d.DeviceCount() == 0; }},
      {"an unanswered query exits 0 or silently",
       {"sensors"},
       Host::Silent,
       1,
       "Не искать датчик!\n",
       {kQuery, kQuery}},
      {"a port that does not open is no exit 2",
       {"sensors"},
       Host::Answers,
       2,
       "",
       {},
       [](const DeviceState&) { return true; },
       "COM9"},
  };
  for (const Row& row : rows) Check(row);
  // Under "Все" every device, in the order the host sends them.
  const auto result = RunVeyractl({"--port", "COM7", "--password", "1234", "sensors"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 12) << result.out;
  EXPECT_NE(result.out.find("\nПульт ДУ\t02\t01\tТревога\t1a:02:b4\nБеспроводной звонок"), std::string::npos);
  EXPECT_EQ(Hexes(host.FramesReceived()).back(), kQuery) << "login first, then the query";
}

TEST_F(VeyractlSensorsTest, EachEditCommandEndToEnd) {
  const std::string learn = FrameLine("02 11 32 12"), deleteOne = FrameLine("02 15 01 00");
  const std::string siren = FrameLine("04 19 01 20 11 20");
  const Row rows[] = {
      {"learn sent wrong or its trigger request not shown",
       {"learn", "2", "1", "12"},
       Host::Answers,
       0,
       kTrigger,
       {learn},
       [](const DeviceState& d) { return d.SensorCount() == 9 && d.Sensor(9)->typeMode == 0x32; }},
      {"unanswered learn exits 0",
       {"learn", "2", "1", "12"},
       Host::Silent,
       1,
       "Ошибка передачи данных!\n",
       {learn, learn}},
      // The host carries these out and answers with a frame that is no acknowledgement.
      {"refused learn shows the trigger request",
       {"learn", "2", "1", "12"},
       Host::Refuses,
       1,
       "",
       {learn},
       [](const DeviceState& d) { return d.SensorCount() == 9; }},
      {"delete sends the number as typed",
       {"delete", "1", "1"},
       Host::Answers,
       0,
       "",
       {deleteOne},
       [](const DeviceState& d) { return !d.Sensor(1) && d.SensorCount() == 7; }},
      {"delete-all sensors",
       {"delete-all", "sensors", "--yes"},
       Host::Answers,
       0,
       "",
       {"AA 00 16 16 55"},
       [](const DeviceState& d) { return d.SensorCount() == 0 && d.DeviceCount() == 4; }},
      {"delete-all remotes",
       {"delete-all", "remotes", "--yes"},
       Host::Answers,
       0,
       "",
       {"AA 00 17 17 55"},
       [](const DeviceState& d) { return d.RemoteCount() == 0 && d.DeviceCount() == 10; }},
      {"delete-all doorbells",
       {"delete-all", "doorbells", "--yes"},
       Host::Answers,
       0,
       "",
       {"AA 00 18 18 55"},
       [](const DeviceState& d) { return d.DoorbellCount() == 0 && d.DeviceCount() == 11; }},
      {"unanswered delete-all sensors with the other pages' text",
       {"delete-all", "sensors", "--yes"},
       Host::Silent,
       1,
       "Data sending error!\n",
       {"AA 00 16 16 55", "AA 00 16 16 55"}},
      {"a reply that is no acknowledgement exits 0",
       {"delete-all", "remotes", "--yes"},
       Host::Refuses,
       1,
       "",
       {"AA 00 17 17 55"},
       [](const DeviceState& d) { return d.RemoteCount() == 0; }},
      {"siren ID",
       {"siren-id", "01201120"},
       Host::Answers,
       0,
       "",
       {siren},
       [](const DeviceState& d) {
         return d.SirenId() == std::array<std::uint8_t, 4>{0x01, 0x20, 0x11, 0x20};
       }},
  };
  for (const Row& row : rows) Check(row);
}

}  // namespace
}  // namespace veyra

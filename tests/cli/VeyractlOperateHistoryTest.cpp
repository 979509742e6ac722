#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hostsim/AlarmState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using hostsim::AlarmMode;
using hostsim::LogEntry;
using test::Hex;
using test::RunVeyractl;

const Bytes kArm = Hex("AA 00 09 09 55"), kDisarm = Hex("AA 00 0A 0A 55"), kPartial = Hex("AA 00 0B 0B 55");
const Bytes kRead = Hex("AA 00 02 02 55"), kErase = Hex("AA 00 0F 0F 55");

enum class Host { Answers, Silent, Refuses };

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

using VeyractlOperateHistoryTest = test::PtyHostFixture;

// Every row starts from a fresh host: disarmed, with its log of 39 records.
TEST_F(VeyractlOperateHistoryTest, EachCommandPrintsTheDialogsMessageAndExitsWithItsStatus) {
  constexpr AlarmMode kOff = AlarmMode::Disarmed;
  struct Row {
    const char* fault;
    std::vector<std::string> args;
    Host host;
    int status;
    std::string out;
    std::vector<Bytes> sent;
    AlarmMode mode;       // afterwards
    std::size_t logSize;  // afterwards
  };
  const Row rows[] = {
      {"an acknowledged arm fails or leaves the host disarmed",
       {"--port", "COM7", "arm"},
       Host::Answers,
       0,
       "Активировать систему!\n",
       {kArm},
       AlarmMode::Armed,
       39},
      {"a refused disarm exits 0 or silently",
       {"--port", "COM7", "disarm"},
       Host::Refuses,
       1,
       "Ошибка деактивации!\n",
       {kDisarm},
       kOff,
       39},
      {"an unanswered partial is not retried, or exits 0",
       {"--port", "COM7", "partial"},
       Host::Silent,
       1,
       "Выборочный режим Failure!\n",
       {kPartial, kPartial},
       kOff,
       39},
      {"a port that does not open is no exit 2",
       {"--port", "COM9", "arm"},
       Host::Answers,
       2,
       "",
       {},
       kOff,
       39},
      {"a silent host's history exits 0 or silently",
       {"--port", "COM7", "history"},
       Host::Silent,
       1,
       "Нет истории!\n",
       {kRead, kRead},
       kOff,
       39},
      {"an unanswered erase exits 0 or silently",
       {"--port", "COM7", "erase-history", "--yes"},
       Host::Silent,
       1,
       "Сбой очистки истории!\n",
       {kErase, kErase},
       kOff,
       39},
      {"a refused erase reported as done",
       {"--port", "COM7", "erase-history", "--yes"},
       Host::Refuses,
       1,
       "Сбой очистки истории!\n",
       {kErase},
       kOff,
       0},
      {"an acknowledged erase fails",
       {"--port", "COM7", "erase-history", "--yes"},
       Host::Answers,
       0,
       "Удаление завершено!\n",
       {kErase},
       kOff,
       0},
  };
  env.SetTimeouts(2, 200);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    if (row.host == Host::Refuses) faults.replaceReply = BuildFrame({0x00, 0x0C});
    host.SetFaults(faults);
    host.ClearLog();
    {
      auto lock = host.Lock();
      host.Host().Alarm() = hostsim::AlarmState();
    }
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(host.FramesReceived(), row.sent);
    auto lock = host.Lock();
    EXPECT_EQ(host.Host().Alarm().Mode(), row.mode);
    EXPECT_EQ(host.Host().Alarm().LogSize(), row.logSize);
  }
}

TEST_F(VeyractlOperateHistoryTest, HistoryAfterALoginPrintsOneTabSeparatedLinePerRecordInArrivalOrder) {
  env.SetTimeouts(3, 400);
  const auto result = RunVeyractl({"--port", "COM7", "--password", "1234", "history"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 39u) << result.out;
  EXPECT_EQ(lines[0], "1\tБаза\tПостановка на охрану\t00\t01/05 08:30");
  EXPECT_EQ(lines[13], "14\tАктивный ИК\tТревога\t09\t03/09 14:45");
  EXPECT_EQ(lines[24], "25\tБаза\tПитание восстановлено\t00\t07/04 02:18");
  EXPECT_EQ(lines[31], "32\t14\tТревога\t12\t10/10 11:11");
  EXPECT_EQ(lines[35], "36\tПульт\tПостановка на охрану\t00\t12/31 23:58");
  // Frames holding a 0xAA after their start: in the source/event byte, the zone, the checksum.
  EXPECT_EQ(lines[36], "37\tАктивный ИК\tNeighbour Alarm\t04\t12/30 09:15");
  EXPECT_EQ(lines[37], "38\tДатчик движения\tТревога\t170\t12/30 09:16");
  EXPECT_EQ(lines[38], "39\tДатчик дыма\tТревога\t200\t01/02 06:27");
  const auto frames = host.FramesReceived();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1], kRead) << "login first, then one read";
}

// The read ends only after a whole reply window without any frame, whenever the first one came;
// an exchange that got no reply at all ends the command there.
TEST_F(VeyractlOperateHistoryTest, HistoryPrintsRecordsThatArriveLate) {
  const struct {
    const char* fault;
    int records;
    int delayMs;  // before every record
    int waittime;
    bool answered;  // the first record came within the exchange
  } rows[] = {
      {"records after the first wait are lost", 3, 250, 400, true},
      {"a history nobody answered keeps listening after the exchange gave up", 1, 450, 300, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    std::string expected;
    {
      auto lock = host.Lock();
      host.Host().Alarm().Handle(kErase);
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
    const auto result = RunVeyractl({"--port", "COM7", "history"});
    EXPECT_EQ(result.status, row.answered ? 0 : 1) << result.err;
    EXPECT_EQ(result.out, row.answered ? expected : "Нет истории!\n");
  }
}

}  // namespace
}  // namespace veyra

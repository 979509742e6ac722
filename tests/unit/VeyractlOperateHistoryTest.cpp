#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "hostsim/AlarmState.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using hostsim::AlarmMode;
using hostsim::LogEntry;
using testing::RunVeyractl;

const Bytes kArm{0xAA, 0x00, 0x09, 0x09, 0x55};
const Bytes kDisarm{0xAA, 0x00, 0x0A, 0x0A, 0x55};
const Bytes kPartial{0xAA, 0x00, 0x0B, 0x0B, 0x55};
const Bytes kRead{0xAA, 0x00, 0x02, 0x02, 0x55};
const Bytes kErase{0xAA, 0x00, 0x0F, 0x0F, 0x55};

enum class Host { Answers, Silent, Refuses };

hostsim::Faults FaultsFor(Host kind) {
  hostsim::Faults faults;
  faults.silent = kind == Host::Silent;
  if (kind == Host::Refuses) faults.replaceReply = BuildFrame({0x00, 0x0C});
  return faults;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class VeyractlOperateHistoryTest : public testing::PtyHostFixture {
 protected:
  void Prepare(Host kind, int times, int waittime) {
    env.SetTimeouts(times, waittime);
    host.SetFaults(FaultsFor(kind));
    host.ClearLog();
  }
  void ReplaceLog(const std::vector<LogEntry>& entries) {
    auto lock = host.Lock();
    host.Host().Alarm().Handle(kErase);
    for (const LogEntry& e : entries) host.Host().Alarm().AddLogEntry(e);
  }
  AlarmMode Mode() {
    auto lock = host.Lock();
    return host.Host().Alarm().Mode();
  }
  std::size_t LogSize() {
    auto lock = host.Lock();
    return host.Host().Alarm().LogSize();
  }
};

TEST_F(VeyractlOperateHistoryTest, OperateCommandsPrintTheDialogsMessages) {
  struct Row {
    const char* fault;
    std::vector<std::string> args;
    Host host;
    int status;
    std::string out;
    Bytes sent;
    AlarmMode mode;  // afterwards, starting disarmed
  };
  const Row rows[] = {
      {"arm is acknowledged", {"--port", "COM7", "arm"}, Host::Answers, 0, "Активировать систему!\n", kArm, AlarmMode::Armed},
      {"disarm is acknowledged", {"--port", "COM7", "disarm"}, Host::Answers, 0, "Дезактивировать систему!\n", kDisarm, AlarmMode::Disarmed},
      {"partial is acknowledged", {"--port", "COM7", "partial"}, Host::Answers, 0, "Выборочный режим OK!\n", kPartial, AlarmMode::Partial},
      {"a refused arm fails loudly", {"--port", "COM7", "arm"}, Host::Refuses, 1, "Ошибка активации!\n", kArm, AlarmMode::Armed},
      {"a refused disarm fails loudly", {"--port", "COM7", "disarm"}, Host::Refuses, 1, "Ошибка деактивации!\n", kDisarm, AlarmMode::Disarmed},
      {"a refused partial mode fails", {"--port", "COM7", "partial"}, Host::Refuses, 1, "Выборочный режим Failure!\n", kPartial, AlarmMode::Partial},
      {"no reply to arm", {"--port", "COM7", "arm"}, Host::Silent, 1, "Ошибка активации!\n", kArm, AlarmMode::Disarmed},
      {"no reply to disarm", {"--port", "COM7", "disarm"}, Host::Silent, 1, "Ошибка деактивации!\n", kDisarm, AlarmMode::Disarmed},
      {"no reply to partial", {"--port", "COM7", "partial"}, Host::Silent, 1, "Выборочный режим Failure!\n", kPartial, AlarmMode::Disarmed},
      {"a port that does not open sends nothing", {"--port", "COM9", "arm"}, Host::Answers, 2, "", {}, AlarmMode::Disarmed},
      {"an argument is a usage error", {"--port", "COM7", "arm", "now"}, Host::Answers, 2, "", {}, AlarmMode::Disarmed},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    {
      auto lock = host.Lock();
      host.Host().Alarm().Handle(kDisarm);
    }
    Prepare(row.host, row.host == Host::Silent ? 2 : 3, row.host == Host::Silent ? 150 : 1000);
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    const std::vector<Bytes> frames = host.FramesReceived();
    if (row.sent.empty()) {
      EXPECT_TRUE(frames.empty());
    } else {
      // A silent host gets every attempt; an answering one only the first.
      const std::size_t copies = row.host == Host::Silent ? 2 : 1;
      EXPECT_EQ(frames, std::vector<Bytes>(copies, row.sent));
    }
    EXPECT_EQ(Mode(), row.mode);
  }
}

TEST_F(VeyractlOperateHistoryTest, AWrongPasswordStopsBeforeTheCommand) {
  Prepare(Host::Answers, 3, 500);
  const auto result = RunVeyractl({"--port", "COM7", "--password", "9999", "arm"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out.find("Активировать систему!"), std::string::npos) << result.out;
  const auto frames = host.FramesReceived();
  EXPECT_EQ(std::count(frames.begin(), frames.end(), kArm), 0);
  EXPECT_EQ(Mode(), AlarmMode::Disarmed);
}

TEST_F(VeyractlOperateHistoryTest, HistoryPrintsOneTabSeparatedLinePerRecordInArrivalOrder) {
  Prepare(Host::Answers, 3, 400);
  const auto result = RunVeyractl({"--port", "COM7", "--password", "1234", "history"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 36u) << result.out;
  EXPECT_EQ(lines[0], "1\tБаза\tПостановка на охрану\t00\t01/05 08:30");
  EXPECT_EQ(lines[13], "14\tАктивный ИК\tТревога\t09\t03/09 14:45");
  EXPECT_EQ(lines[24], "25\tБаза\tПитание восстановлено\t00\t07/04 02:18");
  EXPECT_EQ(lines[31], "32\t14\tТревога\t12\t10/10 11:11");
  EXPECT_EQ(lines[35], "36\tПульт\tПостановка на охрану\t00\t12/31 23:58");
  const auto frames = host.FramesReceived();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1], kRead) << "login first, then one read";
}

TEST_F(VeyractlOperateHistoryTest, HistoryKeepsReadingPastTheFirstWait) {
  // Records that come one by one, each well inside a reply window of the one before: all count,
  // because the read ends only after a whole window without any frame.
  std::vector<LogEntry> entries;
  for (int i = 0; i < 3; ++i) entries.push_back({2, 1, static_cast<std::uint8_t>(i), 3, 9, 14, 45});
  ReplaceLog(entries);
  env.SetTimeouts(1, 400);
  hostsim::Faults late;
  late.delayMs = 250;  // first record after 250 ms, the next 250 ms later each
  host.SetFaults(late);
  auto result = RunVeyractl({"--port", "COM7", "history"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Lines(result.out), (std::vector<std::string>{"1\tДатчик движения\tТревога\t00\t03/09 14:45",
                                                          "2\tДатчик движения\tТревога\t01\t03/09 14:45",
                                                          "3\tДатчик движения\tТревога\t02\t03/09 14:45"}));

  // Later than a whole wait: the first record arrives after SendAndWait gave up and still prints.
  ReplaceLog({entries[0]});
  env.SetTimeouts(1, 300);
  late.delayMs = 450;
  host.SetFaults(late);
  result = RunVeyractl({"--port", "COM7", "history"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "1\tДатчик движения\tТревога\t00\t03/09 14:45\n");
}

TEST_F(VeyractlOperateHistoryTest, HistoryWithoutRecordsSaysSo) {
  struct Row {
    const char* fault;
    Host host;
    bool emptyLog;
  };
  const Row rows[] = {
      {"a silent host", Host::Silent, false},
      {"an empty log is not answered", Host::Answers, true},
      {"frames too short to be records are not records", Host::Refuses, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    if (row.emptyLog) ReplaceLog({});
    Prepare(row.host, 1, 200);
    const auto result = RunVeyractl({"--port", "COM7", "history"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out, "Нет истории!\n");
    EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kRead});
  }
}

TEST_F(VeyractlOperateHistoryTest, EraseHistoryReportsTheHostsVerdict) {
  struct Row {
    const char* fault;
    Host host;
    int status;
    std::string out;
    std::size_t logAfter;
  };
  const Row rows[] = {
      {"no reply to the erase", Host::Silent, 1, "Сбой очистки истории!\n", 36},
      {"a refused erase is not reported as done", Host::Refuses, 1, "Сбой очистки истории!\n", 0},
      {"an acknowledged erase", Host::Answers, 0, "Удаление завершено!\n", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    {
      auto lock = host.Lock();
      while (host.Host().Alarm().LogSize() < 36) host.Host().Alarm().AddLogEntry({});
    }
    Prepare(row.host, 1, 300);
    const auto result = RunVeyractl({"--port", "COM7", "erase-history"});
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kErase});
    EXPECT_EQ(LogSize(), row.logAfter);
  }
}

TEST_F(VeyractlOperateHistoryTest, EraseThenHistoryShowsNoRecords) {
  env.SetTimeouts(1, 300);
  auto result = RunVeyractl({"--port", "COM7", "erase-history"});
  ASSERT_EQ(result.status, 0) << result.err;
  result = RunVeyractl({"--port", "COM7", "history"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Нет истории!\n");
  EXPECT_EQ(host.FramesReceived(), (std::vector<Bytes>{kErase, kRead}));
}

}  // namespace
}  // namespace veyra

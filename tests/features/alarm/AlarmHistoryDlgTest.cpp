#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPushButton>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "features/alarm/CAlarmHistoryDlg.h"
#include "hostsim/AlarmState.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/SlowHost.h"
#include "tests/common/WaitFor.h"
#include "ui/CGridCtrl.h"

namespace veyra {
namespace {

using hostsim::LogEntry;
using test::Silent;
using test::WaitFor;

const Bytes kReadFrame{0xAA, 0x00, 0x02, 0x02, 0x55};
const Bytes kEraseFrame{0xAA, 0x00, 0x0F, 0x0F, 0x55};
// One record more, injected after an answer: the row it lands in shows where the table ended.
const Bytes kExtraRecord = BuildFrame({0x06, 0x02, 0x00, 0x21, 0x03, 0x31, 0x2E, 45});

// Records that differ from their neighbours in every cell, so a row out of place shows. A frame
// with 0xAA after its start byte can never be recognised on the line, so those are left out.
std::vector<LogEntry> DistinctEntries(int count) {
  std::vector<LogEntry> entries;
  for (int i = 0; static_cast<int>(entries.size()) < count; ++i) {
    const auto b = [](int v) { return static_cast<std::uint8_t>(v); };
    const LogEntry e{b(i % 14), b((i / 14 + i) % 16), b(i % 256), b(1 + i % 12), b(1 + i % 28), b(i % 24),
                     b(i % 60)};
    const Bytes frame =
        BuildFrame({0x06, 0x02, b(entries.size() + 1), b((e.source << 4) | e.event), e.zone,
                    b((e.month << 4) | (e.day >> 3)), b(((e.day & 7) << 5) | e.hour), e.minute});
    if (std::find(frame.begin() + 1, frame.end(), 0xAA) == frame.end()) entries.push_back(e);
  }
  return entries;
}

class AlarmHistoryDlgTest : public test::DialogFixture<CAlarmHistoryDlg> {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    env.SetTimeouts(2, 300);
  }
  void ReplaceLog(const std::vector<LogEntry>& entries) {
    auto lock = host.Lock();
    host.Host().Alarm().Handle(kEraseFrame);
    for (const LogEntry& e : entries) host.Host().Alarm().AddLogEntry(e);
  }
  // Reads and waits until the dialog shows `count` records.
  void Read(int count) {
    dialog->RefreshButton()->click();
    ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= count; }))
        << "only " << dialog->LastRow() << " rows";
  }
  QStringList Row(int row) const {
    QStringList texts;
    for (int column = 0; column < 5; ++column) texts << dialog->Grid()->GetItemText(row, column);
    return texts;
  }
  void ExpectRows(const std::vector<LogEntry>& entries) const {
    for (int r = 1; r <= static_cast<int>(entries.size()); ++r) {
      const LogEntry& e = entries[r - 1];
      const alarm::HistoryRecord record{e.source, e.event, e.zone, e.month, e.day, e.hour, e.minute};
      QStringList cells;
      for (const std::string& cell : alarm::HistoryRecordCells(record, r))
        cells << QString::fromStdString(cell);
      EXPECT_EQ(Row(r), cells) << r;
    }
  }
};

TEST_F(AlarmHistoryDlgTest, ReadShowsEveryRecordInTheHostsOrderAndLaterFramesUnlessTooShort) {
  Read(39);
  EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kReadFrame})
      << "nothing else is sent, not even on opening";
  // A frame too short for a record must not become an empty row; for a record any command byte will do.
  host.Inject(kReadFrame);
  host.Inject(BuildFrame({0x06, 0x0C, 0x7F, 0x21, 0x03, 0x31, 0x2E, 45}));
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 40; }));
  EXPECT_EQ(dialog->LastRow(), 40);
  EXPECT_EQ(Row(38), (QStringList{"38", "Датчик движения", "Тревога", "170", "12/30 09:16"}))
      << "a record whose zone is 0xAA";
  EXPECT_EQ(Row(40), (QStringList{"40", "Датчик движения", "Тревога", "03", "03/09 14:45"}));
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlarmHistoryDlgTest, TableGrowsOneRowPerRecordPastItsFirstTwenty) {
  const struct {
    const char* expect;
    int records, rowCount;
  } rows[] = {
      {"the 19th record fills a row of the first twenty", 19, 20},
      {"the 20th record adds a row", 20, 21},
      {"a long log grows a row per record", 120, 121},
      {"a refresh after a long log starts from twenty rows", 3, 20},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::vector<LogEntry> entries = DistinctEntries(row.records);
    ReplaceLog(entries);
    Read(row.records);
    EXPECT_EQ(dialog->LastRow(), row.records);
    EXPECT_EQ(dialog->RowCount(), row.rowCount);
    EXPECT_EQ(dialog->Grid()->GetRowCount(), row.rowCount);
    ExpectRows(entries);
    for (int r = row.records + 1; r < row.rowCount; ++r) EXPECT_EQ(Row(r).join(""), "") << "stale row " << r;
  }
}

TEST_F(AlarmHistoryDlgTest, ARefreshWhileTheLogIsStillComingDoesNotMixTheTwoAnswers) {
  // At the line rate a long log takes over a second; the user presses "Обновить" meanwhile.
  const std::vector<LogEntry> entries = DistinctEntries(100);
  ReplaceLog(entries);
  env.SetTimeouts(4, 500);
  hostsim::Faults paced;
  paced.pace = true;
  host.SetFaults(paced);
  Read(10);
  ASSERT_LT(dialog->LastRow(), 90) << "the first answer must still be coming";
  dialog->RefreshButton()->click();
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 100; }, 10000));
  ExpectRows(entries);
  EXPECT_EQ(host.FramesReceived(), (std::vector<Bytes>{kReadFrame, kReadFrame}));
  host.Inject(kExtraRecord);
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 101; }));
  EXPECT_EQ(dialog->LastRow(), 101) << "no row of the first answer came after the second";
}

TEST_F(AlarmHistoryDlgTest, RecordsArrivingAfterTheWaitGaveUpAreStillShown) {
  const std::vector<LogEntry> entries = DistinctEntries(3);
  ReplaceLog(entries);
  env.SetTimeouts(1, 150);
  hostsim::Faults late;
  late.delayMs = 300;  // before every record
  host.SetFaults(late);
  dialog->RefreshButton()->click();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Нет истории!"});
  EXPECT_EQ(dialog->LastRow(), 0);
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 3; }));
  ExpectRows(entries);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Нет истории!"});
}

// A host slower than the window answers both copies of the read: the log must still fill the
// table once, as a host in time fills it.
TEST_F(AlarmHistoryDlgTest, AHostSlowerThanTheWindowFillsEachRowOnce) {
  const std::vector<LogEntry> entries = DistinctEntries(25);
  ReplaceLog(entries);
  env.SetTimeouts(test::kSlowTimes, test::kSlowWaitMs);
  Read(25);
  const std::vector<QStringList> inTime = test::GridTexts(dialog->Grid());
  ASSERT_EQ(dialog->LastRow(), 25);
  const test::SlowHost rows[] = {
      {"every copy answered late fills the table once", false},
      {"a repeat answered at once fills the table once", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    host.SetFaults(test::Slow(row));
    test::LineTally tally(port);
    Read(25);
    ASSERT_GE(tally.Sent(0x02), 2) << "the host was not slower than the window";
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(0x02, 25)) << tally.Came(0x02) << " frames";
    EXPECT_EQ(dialog->LastRow(), 25);
    EXPECT_EQ(test::GridTexts(dialog->Grid()), inTime);
    EXPECT_TRUE(messages.Texts().empty());
  }
}

// Erasing asks first. Which reply earns which text, a refused erase's included, is
// HistoryCodec.EraseReplyMessage's.
TEST_F(AlarmHistoryDlgTest, EachWayAPressEndsIsReportedAndTheOldRowsGoWhateverTheAnswer) {
  const struct {
    const char* expect;
    bool erase, found, yes;
    hostsim::Faults faults;
    const char* shown;  // null: nothing
  } rows[] = {
      {"erase without a host says so and sends nothing", true, false, true, {}, "3G камера не найдена!!"},
      {"a No to erasing sends nothing and keeps the table", true, true, false, {}, nullptr},
      {"a silent host's read is reported", false, true, true, Silent(), "Нет истории!"},
      {"an unanswered erase is reported", true, true, true, Silent(), "Сбой очистки истории!"},
      {"an acknowledged erase is reported done", true, true, true, {}, "Удаление завершено!"},
  };
  const Message question = OwnedMessage("Удалить всю историю тревог на хосте? Это нельзя отменить.");
  env.SetTimeouts(1, 200);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    host.SetFaults({});
    HostFound = 1;
    ReplaceLog(DistinctEntries(25));
    Read(25);
    host.SetFaults(row.faults);
    HostFound = row.found;
    host.ClearLog();
    messages.Clear();
    messages.AnswerYes(row.yes);
    (row.erase ? dialog->EraseButton() : dialog->RefreshButton())->click();
    if (row.shown) {
      ASSERT_TRUE(messages.WaitFor(1));
    }
    EXPECT_EQ(messages.Messages(),
              row.shown ? std::vector<Message>{OwnedMessage(row.shown)} : std::vector<Message>{});
    EXPECT_EQ(messages.Questions(),
              row.erase && row.found ? std::vector<Message>{question} : std::vector<Message>{});
    if (!row.found || !row.yes) {
      EXPECT_TRUE(host.FramesReceived().empty());
      EXPECT_EQ(dialog->LastRow(), 25) << "a press that sends nothing changes nothing";
      continue;
    }
    EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{row.erase ? kEraseFrame : kReadFrame});
    // Read or erase, answered or not: the old rows are gone.
    EXPECT_EQ(dialog->LastRow(), 0);
    EXPECT_EQ(dialog->Grid()->GetRowCount(), 20);
    for (int r = 1; r < 20; ++r) EXPECT_EQ(Row(r).join(""), "") << r;
  }
}

TEST_F(AlarmHistoryDlgTest, CopyAndCsvSaveTakeTheRecordRows) {
  ReplaceLog({{0, 0, 0, 1, 5, 8, 30}, {14, 1, 12, 10, 10, 11, 11}, {2, 1, 99, 12, 31, 23, 59}});
  Read(3);
  CGridCtrl* grid = dialog->Grid();
  // Grid rows 2, 3 and the empty row 10 (model rows are one less).
  for (int modelRow : {1, 2, 9})
    grid->selectionModel()->select(grid->model()->index(modelRow, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QApplication::clipboard()->clear();
  dialog->CopyAction()->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "2\t14\tТревога\t12\t10/10 11:11\n3\tДатчик движения\tТревога\t99\t12/31 23:59\n");

  const std::string path = env.Dir() + "/history.csv";
  ASSERT_TRUE(dialog->SaveCsv(QString::fromStdString(path)));
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "No.,Название,Событие,Зона,Время\r\n"
            "1,База,Постановка на охрану,00,01/05 08:30\r\n"
            "2,14,Тревога,12,10/10 11:11\r\n"
            "3,Датчик движения,Тревога,99,12/31 23:59\r\n");
  EXPECT_FALSE(dialog->SaveCsv(QString::fromStdString(env.Dir() + "/no/such/dir/history.csv")));
}

// A read of the same events changes no row the eye can tell from before: the status line says it
// came, and that the host did not answer when it did not.
TEST_F(AlarmHistoryDlgTest, AReadSaysOnTheStatusLineHowManyEventsCame) {
  Read(39);
  EXPECT_TRUE(WaitFor([&] { return dialog->StatusText() == QStringLiteral("Прочитано записей: 39"); }))
      << dialog->StatusText().toStdString();
  hostsim::Faults silent;
  silent.silent = true;
  host.SetFaults(silent);
  dialog->RefreshButton()->click();
  EXPECT_TRUE(WaitFor([&] { return dialog->StatusText() == QStringLiteral("Хост не ответил"); }))
      << dialog->StatusText().toStdString();
}

}  // namespace
}  // namespace veyra

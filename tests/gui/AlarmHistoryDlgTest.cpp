#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "alarm/CAlarmHistoryDlg.h"
#include "hostsim/AlarmState.h"
#include "tests/common/LinkHarness.h"
#include "tests/gui/WaitFor.h"
#include "widgets/CGridCtrl.h"

namespace veyra {
namespace {

using hostsim::LogEntry;
using testing::LinkHarness;
using veyra::test::WaitFor;

const Bytes kReadFrame{0xAA, 0x00, 0x02, 0x02, 0x55};
const Bytes kEraseFrame{0xAA, 0x00, 0x0F, 0x0F, 0x55};

// The frame the simulated host sends for the record at `position` (from 1).
Bytes HostRecordFrame(const LogEntry& e, int position) {
  return BuildFrame({0x06, 0x02, static_cast<std::uint8_t>(position), static_cast<std::uint8_t>((e.source << 4) | e.event),
                     e.zone, static_cast<std::uint8_t>((e.month << 4) | (e.day >> 3)),
                     static_cast<std::uint8_t>(((e.day & 7) << 5) | e.hour), e.minute});
}

// Records that differ from their neighbours in every cell, so a row out of place shows. A frame
// with 0xAA after its start byte can never be recognised on the line (the byte is taken for a new
// start), so records whose frame would hold one are left out.
std::vector<LogEntry> DistinctEntries(int count) {
  std::vector<LogEntry> entries;
  for (int i = 0; static_cast<int>(entries.size()) < count; ++i) {
    LogEntry e;
    e.source = static_cast<std::uint8_t>(i % 14);
    e.event = static_cast<std::uint8_t>((i / 14 + i) % 16);
    e.zone = static_cast<std::uint8_t>(i % 256);
    e.month = static_cast<std::uint8_t>(1 + i % 12);
    e.day = static_cast<std::uint8_t>(1 + i % 28);
    e.hour = static_cast<std::uint8_t>(i % 24);
    e.minute = static_cast<std::uint8_t>(i % 60);
    const Bytes frame = HostRecordFrame(e, static_cast<int>(entries.size()) + 1);
    if (std::find(frame.begin() + 1, frame.end(), 0xAA) == frame.end()) entries.push_back(e);
  }
  return entries;
}

QStringList ExpectedRow(const LogEntry& e, int row) {
  alarm::HistoryRecord record{e.source, e.event, e.zone, e.month, e.day, e.hour, e.minute};
  QStringList texts;
  for (const std::string& cell : alarm::HistoryRecordCells(record, row)) texts << QString::fromStdString(cell);
  return texts;
}

QStringList RowTexts(const CAlarmHistoryDlg& dialog, int row) {
  QStringList texts;
  for (int column = 0; column < 5; ++column) texts << dialog.Grid()->GetItemText(row, column);
  return texts;
}

bool RowEmpty(const CAlarmHistoryDlg& dialog, int row) {
  return RowTexts(dialog, row).join(QString()).isEmpty();
}

class AlarmHistoryDlgTest : public LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
    env.SetTimeouts(2, 300);
  }
  void TearDown() override {
    HostFound = 0;
    LinkHarness::TearDown();
  }
  std::unique_ptr<CAlarmHistoryDlg> OpenDialog() {
    auto dialog = std::make_unique<CAlarmHistoryDlg>();
    dialog->SetCommn(&port);
    EXPECT_EQ(dialog->OpenPort(kCom), 1);
    dialog->show();
    return dialog;
  }
  void ReplaceLog(const std::vector<LogEntry>& entries) {
    auto lock = host.Lock();
    host.Host().Alarm().Handle(kEraseFrame);
    for (const LogEntry& e : entries) host.Host().Alarm().AddLogEntry(e);
  }
  std::vector<LogEntry> HostLog() {
    auto lock = host.Lock();
    return host.Host().Alarm().Log();
  }
  // Reads and waits until the dialog shows `count` records.
  void Read(CAlarmHistoryDlg& dialog, int count) {
    dialog.RefreshButton()->click();
    ASSERT_TRUE(WaitFor([&] { return dialog.LastRow() >= count; })) << "only " << dialog.LastRow() << " rows";
  }
};

TEST_F(AlarmHistoryDlgTest, OpensWithAnEmptyTableOfTwentyRows) {
  CAlarmHistoryDlg dialog;
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("История тревог"));
  EXPECT_EQ(dialog.RowCount(), 20);
  EXPECT_EQ(dialog.LastRow(), 0);
  EXPECT_EQ(dialog.Grid()->GetRowCount(), 20);
  EXPECT_EQ(RowTexts(dialog, 0), (QStringList{"No.", "Название", "Событие", "Зона", "Время"}));
  for (int row = 1; row < 20; ++row) EXPECT_TRUE(RowEmpty(dialog, row)) << row;
  EXPECT_EQ(dialog.Grid()->GetItemBkColour(0, 2), QColor(115, 136, 193));
  EXPECT_EQ(dialog.Grid()->GetItemBkColour(19, 4), QColor(80, 167, 133));
  EXPECT_EQ(dialog.EraseButton()->text(), QStringLiteral("Удалить всё"));
  EXPECT_EQ(dialog.RefreshButton()->text(), QStringLiteral("Обновить"));
  EXPECT_EQ(dialog.CloseButton()->text(), QStringLiteral("Закрыть"));
  EXPECT_LT(dialog.EraseButton()->x(), dialog.RefreshButton()->x());
  EXPECT_LT(dialog.RefreshButton()->x(), dialog.CloseButton()->x());
  EXPECT_GT(dialog.EraseButton()->y(), dialog.Grid()->y());
  EXPECT_EQ(host.FramesReceived().size(), 0u) << "nothing is read when the dialog opens";
}

TEST_F(AlarmHistoryDlgTest, ReadShowsEveryRecordInTheHostsOrder) {
  auto dialog = OpenDialog();
  Read(*dialog, 36);
  EXPECT_EQ(host.FramesReceived(), std::vector<Bytes>{kReadFrame});
  EXPECT_EQ(dialog->LastRow(), 36);
  EXPECT_EQ(dialog->RowCount(), 37);
  EXPECT_EQ(dialog->Grid()->GetRowCount(), 37);
  // Rows of the simulated host's log, written out by hand.
  EXPECT_EQ(RowTexts(*dialog, 1), (QStringList{"1", "База", "Постановка на охрану", "00", "01/05 08:30"}));
  EXPECT_EQ(RowTexts(*dialog, 14), (QStringList{"14", "Активный ИК", "Тревога", "09", "03/09 14:45"}));
  EXPECT_EQ(RowTexts(*dialog, 26), (QStringList{"26", "База", "Питание восстановлено", "00", "07/04 02:19"}));
  EXPECT_EQ(RowTexts(*dialog, 32), (QStringList{"32", "14", "Тревога", "12", "10/10 11:11"}));
  EXPECT_EQ(RowTexts(*dialog, 35), (QStringList{"35", "Дверной датчик", "Тревога", "255", "12/25 00:01"}));
  EXPECT_EQ(RowTexts(*dialog, 36), (QStringList{"36", "Пульт", "Постановка на охрану", "00", "12/31 23:58"}));
  const std::vector<LogEntry> log = HostLog();
  for (int row = 1; row <= 36; ++row) EXPECT_EQ(RowTexts(*dialog, row), ExpectedRow(log[row - 1], row)) << row;
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlarmHistoryDlgTest, TableGrowsOneRowPerRecordPastItsFirstTwenty) {
  struct Row {
    const char* fault;
    int records, rowCount;
  };
  const Row rows[] = {
      {"a short log keeps the twenty rows", 5, 20},
      {"the 19th record fills the last empty row", 19, 20},
      {"the 20th record adds a row", 20, 21},
      {"twenty-five records give 26 rows", 25, 26},
      {"a long log keeps growing", 120, 121},
      {"a refresh after a long log starts from twenty rows again", 3, 20},
  };
  auto dialog = OpenDialog();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    const std::vector<LogEntry> entries = DistinctEntries(row.records);
    ReplaceLog(entries);
    Read(*dialog, row.records);
    EXPECT_EQ(dialog->LastRow(), row.records);
    EXPECT_EQ(dialog->RowCount(), row.rowCount);
    EXPECT_EQ(dialog->Grid()->GetRowCount(), row.rowCount);
    for (int r = 1; r <= row.records; ++r) EXPECT_EQ(RowTexts(*dialog, r), ExpectedRow(entries[r - 1], r)) << r;
    for (int r = row.records + 1; r < dialog->Grid()->GetRowCount(); ++r) EXPECT_TRUE(RowEmpty(*dialog, r)) << r;
  }
}

TEST_F(AlarmHistoryDlgTest, ASecondReadReplacesTheFirstWithoutStaleOrDoubledRows) {
  std::vector<LogEntry> entries = DistinctEntries(70);
  ReplaceLog(entries);
  auto dialog = OpenDialog();
  Read(*dialog, 70);
  dialog->RefreshButton()->click();
  EXPECT_EQ(dialog->LastRow(), 0) << "the refresh empties the table at once";
  EXPECT_EQ(dialog->Grid()->GetRowCount(), 20);
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 70; }));
  EXPECT_EQ(dialog->RowCount(), 71);
  for (int r = 1; r <= 70; ++r) EXPECT_EQ(RowTexts(*dialog, r), ExpectedRow(entries[r - 1], r)) << r;
  // One more frame shows where the table ends: right after the 70th row, not after doubled ones.
  const Bytes extra = BuildFrame({0x06, 0x02, 0x00, 0x21, 0x03, 0x31, 0x2E, 45});
  host.Inject(extra);
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 71; }));
  EXPECT_EQ(dialog->LastRow(), 71);
  EXPECT_EQ(RowTexts(*dialog, 71), (QStringList{"71", "Датчик движения", "Тревога", "03", "03/09 14:45"}));
}

TEST_F(AlarmHistoryDlgTest, ARefreshWhileTheLogIsStillComingDoesNotMixTheTwoAnswers) {
  // At the line rate a long log takes over a second; the user presses "Обновить" meanwhile.
  const std::vector<LogEntry> entries = DistinctEntries(100);
  ReplaceLog(entries);
  env.SetTimeouts(4, 500);
  hostsim::Faults paced;
  paced.pace = true;
  host.SetFaults(paced);
  auto dialog = OpenDialog();
  Read(*dialog, 10);
  ASSERT_LT(dialog->LastRow(), 90) << "the first answer must still be coming";
  dialog->RefreshButton()->click();
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 100; }, 10000));
  for (int r = 1; r <= 100; ++r) ASSERT_EQ(RowTexts(*dialog, r), ExpectedRow(entries[r - 1], r)) << r;
  EXPECT_EQ(host.FramesReceived(), (std::vector<Bytes>{kReadFrame, kReadFrame}));
  host.Inject(BuildFrame({0x06, 0x02, 0x00, 0x21, 0x03, 0x31, 0x2E, 45}));
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
  auto dialog = OpenDialog();
  dialog->RefreshButton()->click();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Нет истории!"});
  EXPECT_EQ(dialog->LastRow(), 0);
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 3; }));
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(RowTexts(*dialog, r), ExpectedRow(entries[r - 1], r)) << r;
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Нет истории!"});
}

TEST_F(AlarmHistoryDlgTest, StrayFramesAfterTheReadAreRecordsUnlessTooShort) {
  ReplaceLog(DistinctEntries(2));
  auto dialog = OpenDialog();
  Read(*dialog, 2);
  // An acknowledgement-like frame holds no record and must not become an empty or garbled row.
  host.Inject(kReadFrame);
  host.Inject(BuildFrame({0x05, 0x02, 0x00, 0x21, 0x03, 0x31, 0x2E}));
  host.Inject(BuildFrame({0x06, 0x0C, 0x7F, 0x21, 0x03, 0x31, 0x2E, 45}));  // any command byte, byte 3 unused
  ASSERT_TRUE(WaitFor([&] { return dialog->LastRow() >= 3; }));
  EXPECT_EQ(RowTexts(*dialog, 3), (QStringList{"3", "Датчик движения", "Тревога", "03", "03/09 14:45"}));
  EXPECT_TRUE(RowEmpty(*dialog, 4));
}

TEST_F(AlarmHistoryDlgTest, MessagesForEachOutcomeOfReadAndErase) {
  enum class Host { Answers, Silent, Refuses, NotFound };
  struct Row {
    const char* fault;
    bool erase;
    Host host;
    std::vector<std::string> shown;
    std::size_t framesSent;
  };
  const Row rows[] = {
      {"read with no host found sends nothing", false, Host::NotFound, {"3G камера не найдена!!"}, 0},
      {"erase with no host found sends nothing", true, Host::NotFound, {"3G камера не найдена!!"}, 0},
      {"a silent host has no history", false, Host::Silent, {"Нет истории!"}, 1},
      {"no reply to the erase", true, Host::Silent, {"Сбой очистки истории!"}, 1},
      {"a refused erase is not reported as done", true, Host::Refuses, {"Сбой очистки истории!"}, 1},
      {"an acknowledged erase", true, Host::Answers, {"Удаление завершено!"}, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    ReplaceLog(DistinctEntries(25));
    auto dialog = OpenDialog();
    Read(*dialog, 25);
    hostsim::Faults faults;
    faults.silent = row.host == Host::Silent;
    if (row.host == Host::Refuses) faults.replaceReply = BuildFrame({0x00, 0x0C});
    host.SetFaults(faults);
    env.SetTimeouts(1, 200);
    HostFound = row.host == Host::NotFound ? 0 : 1;
    host.ClearLog();
    messages.Clear();

    (row.erase ? dialog->EraseButton() : dialog->RefreshButton())->click();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    EXPECT_EQ(messages.Texts(), row.shown);
    for (const Message& m : messages.Messages()) EXPECT_TRUE(m.caption.empty() && m.owned);
    EXPECT_EQ(host.FramesReceived().size(), row.framesSent);
    if (row.framesSent) {
      EXPECT_EQ(host.FramesReceived().front(), row.erase ? kEraseFrame : kReadFrame);
    }
    if (row.host != Host::NotFound) {
      // Read or erase, answered or not: the old rows are gone.
      EXPECT_EQ(dialog->LastRow(), 0);
      EXPECT_EQ(dialog->RowCount(), 20);
      EXPECT_EQ(dialog->Grid()->GetRowCount(), 20);
      for (int r = 1; r < 20; ++r) EXPECT_TRUE(RowEmpty(*dialog, r)) << r;
    } else {
      EXPECT_EQ(dialog->LastRow(), 25) << "a press that sends nothing changes nothing";
    }
    host.SetFaults({});
    HostFound = 1;
  }
}

TEST_F(AlarmHistoryDlgTest, EraseThenReadShowsNoRecords) {
  env.SetTimeouts(1, 300);
  auto dialog = OpenDialog();
  Read(*dialog, 36);
  dialog->EraseButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Удаление завершено!"});
  EXPECT_TRUE(HostLog().empty());
  EXPECT_EQ(dialog->LastRow(), 0);
  EXPECT_EQ(dialog->Grid()->GetRowCount(), 20);
  dialog->RefreshButton()->click();
  ASSERT_TRUE(messages.WaitFor(2));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Удаление завершено!", "Нет истории!"}));
  EXPECT_EQ(dialog->LastRow(), 0);
  EXPECT_EQ(host.FramesReceived(), (std::vector<Bytes>{kReadFrame, kEraseFrame, kReadFrame}));
}

TEST_F(AlarmHistoryDlgTest, CopyPutsTheSelectedRecordRowsOnTheClipboard) {
  ReplaceLog(DistinctEntries(5));
  auto dialog = OpenDialog();
  Read(*dialog, 5);
  ASSERT_EQ(dialog->ContextMenu()->actions().size(), 2);
  CGridCtrl* grid = dialog->Grid();
  auto* selection = grid->selectionModel();
  // Grid rows 2, 3 and the empty row 10 (model rows are one less).
  for (int modelRow : {1, 2, 9})
    selection->select(grid->model()->index(modelRow, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  const QString expected = RowTexts(*dialog, 2).join('\t') + "\n" + RowTexts(*dialog, 3).join('\t') + "\n";
  EXPECT_EQ(dialog->SelectedRowsText(), expected);
  QApplication::clipboard()->clear();
  dialog->CopyAction()->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(AlarmHistoryDlgTest, SaveWritesTheWholeTableAsUtf8Csv) {
  ReplaceLog({{0, 0, 0, 1, 5, 8, 30}, {14, 1, 12, 10, 10, 11, 11}, {2, 1, 99, 12, 31, 23, 59}});
  auto dialog = OpenDialog();
  Read(*dialog, 3);
  const std::string path = env.Dir() + "/history.csv";
  ASSERT_TRUE(dialog->SaveCsv(QString::fromStdString(path)));
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written,
            "No.,Название,Событие,Зона,Время\r\n"
            "1,База,Постановка на охрану,00,01/05 08:30\r\n"
            "2,14,Тревога,12,10/10 11:11\r\n"
            "3,Датчик движения,Тревога,99,12/31 23:59\r\n");
  EXPECT_EQ(written.substr(4, 4), "\xD0\x9D\xD0\xB0") << "Cyrillic as UTF-8 (На)";

  EXPECT_FALSE(dialog->SaveCsv(QString::fromStdString(env.Dir() + "/no/such/dir/history.csv")));
  EXPECT_FALSE(dialog->SaveCsv(QString::fromStdString(env.Dir())));
  EXPECT_TRUE(std::filesystem::is_directory(env.Dir()));
}

}  // namespace
}  // namespace veyra

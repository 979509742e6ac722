#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "features/alarm/CTimedArmDlg.h"
#include "features/alarm/CTimedLookupPage.h"
#include "features/alarm/CTimedSettingPage.h"
#include "hostsim/AlarmState.h"
#include "tests/common/BadInput.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/SlowHost.h"
#include "tests/common/WaitFor.h"
#include "ui/CGridCtrl.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

using test::Hex;
using test::Silent;

using Row = std::vector<std::string>;

class TimedArmDlgTest : public test::DialogFixture<CTimedArmDlg> {
 protected:
  CTimedLookupPage* Lookup() const { return dialog->LookupPage(); }
  CTimedSettingPage* Setting() const { return dialog->SettingPage(); }
  Row Cells(int row) const {
    Row texts;
    for (int column = 0; column < 4; ++column)
      texts.push_back(Lookup()->Grid()->GetItemText(row, column).toStdString());
    return texts;
  }
  // Shows the page and checks it took the port over.
  void ShowPage(int index, CHostPage* page) {
    dialog->Tabs()->setCurrentIndex(index);
    ASSERT_EQ(port.Owner(), static_cast<HostLink*>(&page->Link()));
  }
  // Fills the setting page: arm on Monday, disarm daily, at the hour and minute texts given.
  void Fill(int group, const std::array<const char*, 4>& times) {
    CTimedSettingPage* page = Setting();
    page->Groups()->setCurrentRow(group);
    page->ArmDay()->setCurrentIndex(2);
    page->DisarmDay()->setCurrentIndex(1);
    QLineEdit* fields[] = {page->ArmHour(), page->ArmMinute(), page->DisarmHour(), page->DisarmMinute()};
    for (int i = 0; i < 4; ++i) fields[i]->setText(times[i]);
  }
  // Presses "Проверить" and waits for the records the simulated host holds (three groups).
  void LookUpAll() {
    Lookup()->LookupButton()->click();
    ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 3; }));
  }
};

TEST_F(TimedArmDlgTest, LookupFillsOneRowPerRecordAndLateRecordsGrowTheTableInArrivalOrder) {
  EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&Lookup()->Link()))
      << "the first page gets the port on opening";
  LookUpAll();
  EXPECT_EQ(test::Hexes(host.FramesReceived()), Row{"AA 00 10 10 55"});
  EXPECT_EQ(Cells(1), (Row{"1", "01", "Повседневный,08:30", "Повседневный,18:00"}));
  EXPECT_EQ(Cells(3), (Row{"3", "03", "Выключить", "Выключить"}));
  EXPECT_EQ(Cells(4), (Row{"", "", "", ""}));
  // Records that come long after SendAndWait returned: each one goes below the last, past row 9.
  Bytes late;
  for (std::uint8_t minute = 0; minute < 10; ++minute) {
    const Bytes frame = BuildFrame({0x07, 0x10, 0x01, 0x02, 0x05, minute, 0x00, 0x00, 0x00});
    late.insert(late.end(), frame.begin(), frame.end());
  }
  host.Inject(late);
  ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 13; }));
  EXPECT_EQ(Lookup()->RowCount(), 14);
  EXPECT_EQ(Lookup()->Grid()->GetRowCount(), 14);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Cells(4 + i),
              (Row{std::to_string(4 + i), "01", "Понедельник,05:0" + std::to_string(i), "Выключить"}));
  // A short frame holds no whole record: it must not take a row of its own.
  host.Inject(BuildFrame({0x03, 0x10, 0x02, 0x02, 0x07}));
  host.Inject(BuildFrame({0x07, 0x10, 0x03, 0x00, 0x07, 0x1E, 0x00, 0x13, 0x00}));
  ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 14; }));
  EXPECT_EQ(Cells(14), (Row{"14", "03", "Выключить", "Выключить"}));

  LookUpAll();
  EXPECT_EQ(Lookup()->RowCount(), 10);
  EXPECT_EQ(Lookup()->Grid()->GetRowCount(), 10) << "a refresh starts from ten rows again";
  EXPECT_EQ(Cells(1)[0], "1");
  EXPECT_TRUE(messages.Texts().empty());
}

// The set command carries both of a group's timers: a field left at its opening value would
// switch the other one off.
TEST_F(TimedArmDlgTest, TheSettingPageStartsFromTheHostsTimersSoChangingOneKeepsTheOther) {
  env.SetTimeouts(3, 300);
  const auto setOnHost = [&](const char* payload) {
    const auto lock = host.Lock();
    host.Host().Handle(BuildFrame(Hex(payload)));
  };
  const auto fields = [&] {
    CTimedSettingPage* page = Setting();
    return Row{
        std::to_string(page->ArmDay()->currentIndex()), page->ArmHour()->text().toStdString(),
        page->ArmMinute()->text().toStdString(),        std::to_string(page->DisarmDay()->currentIndex()),
        page->DisarmHour()->text().toStdString(),       page->DisarmMinute()->text().toStdString()};
  };
  setOnHost("07 08 02 04 06 05 06 11 2D");  // group 2: Wednesday 06:05, Friday 17:45
  host.ClearLog();
  ShowPage(1, Setting());
  EXPECT_EQ(test::Hexes(host.FramesReceived()), Row{"AA 00 10 10 55"})
      << "no reading yet: the page takes one";
  EXPECT_EQ(fields(), (Row{"1", "08", "30", "1", "18", "00"})) << "the first group, as the host has it";
  Setting()->Groups()->setCurrentRow(1);
  EXPECT_EQ(fields(), (Row{"4", "06", "05", "6", "17", "45"}));
  Setting()->ArmHour()->setText("7");
  host.ClearLog();
  Setting()->SaveButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), Row{"Setting Successful!"});
  EXPECT_EQ(test::Hexes(host.FramesReceived()), Row{test::FrameLine("07 08 02 04 07 05 06 11 2D")});
  Setting()->Groups()->setCurrentRow(2);
  EXPECT_EQ(fields(), (Row{"0", "00", "00", "0", "00", "00"}));
  Setting()->Groups()->setCurrentRow(1);
  EXPECT_EQ(fields()[1], "07") << "what the host acknowledged is what the group shows";

  // A look-up on the other page is the reading the setting page goes on from: it sends nothing.
  setOnHost("07 08 01 03 09 0A 00 00 00");
  ShowPage(0, Lookup());
  LookUpAll();
  host.ClearLog();
  Setting()->Groups()->setCurrentRow(0);
  ShowPage(1, Setting());
  EXPECT_TRUE(host.FramesReceived().empty());
  EXPECT_EQ(fields(), (Row{"3", "09", "10", "0", "00", "00"}));
}

// A host slower than the window answers both copies of each command: the look-up must still show
// each group once, and a save after a reading must be judged by the set's own acknowledgement,
// not by a late copy of the reading.
TEST_F(TimedArmDlgTest, AHostSlowerThanTheWindowShowsEachGroupOnceAndJudgesTheSaveByItsOwnReply) {
  env.SetTimeouts(test::kSlowTimes, test::kSlowWaitMs);
  constexpr std::uint8_t kLookup = 0x10, kSet = 0x08;
  const auto setGroup2 = [&] {
    const auto lock = host.Lock();
    host.Host().Handle(BuildFrame(Hex("07 08 02 04 06 05 06 11 2D")));  // Wednesday 06:05, Friday 17:45
  };
  setGroup2();
  LookUpAll();
  const std::vector<QStringList> inTime = test::GridTexts(Lookup()->Grid());
  const struct {
    test::SlowHost slow;
    bool readOnShowing;  // else the save follows a look-up on the other page
  } rows[] = {
      {{"every copy answered late: a save after a look-up is done once, each group once", false}, false},
      {{"a repeat answered at once: each group shown once and the save done once", true}, false},
      {{"every copy answered late: a save after the page's own reading is done once", false}, true},
      {{"a repeat answered at once: the save is reported done once", true}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.slow.expect);
    setGroup2();
    dialog = std::make_unique<CTimedArmDlg>();  // nothing read yet
    dialog->SetCommn(&port);
    dialog->show();
    messages.Clear();
    host.SetFaults(test::Slow(row.slow));
    test::LineTally tally(port);
    if (row.readOnShowing) {
      ShowPage(1, Setting());
    } else {
      Lookup()->LookupButton()->click();
      ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() >= 3; }));
      ShowPage(1, Setting());
    }
    ASSERT_GE(tally.Sent(kLookup), 2) << "the host was not slower than the window";
    Setting()->Groups()->setCurrentRow(1);
    Setting()->ArmHour()->setText("7");
    Setting()->SaveButton()->click();
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(kLookup, 3)) << tally.Came(kLookup) << " frames";
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(kSet, 1)) << tally.Came(kSet) << " frames";
    EXPECT_EQ(messages.Texts(), Row{"Setting Successful!"});
    {
      const auto lock = host.Lock();
      EXPECT_EQ(host.Host().Alarm().Timer(2), (hostsim::TimerGroup{4, 7, 5, 6, 17, 45}));
    }
    if (!row.readOnShowing) {
      EXPECT_EQ(Lookup()->LastRow(), 3);
      EXPECT_EQ(test::GridTexts(Lookup()->Grid()), inTime);
    }
  }
}

// Each field and list of the setting page, the others set to arm group 2 on Monday at 07:30 and
// disarm it daily at 19:00: what each field's length and validator let through, what reaches the
// line and what the user sees. Which times and groups are refused is the codec's table.
TEST_F(TimedArmDlgTest, EachFieldAndListRefusesOrSendsExactly) {
  ShowPage(1, Setting());
  CTimedSettingPage* page = Setting();
  QPushButton* save = page->SaveButton();
  const std::string ok = "Setting Successful!", bad = "Неверное время!";
  // clang-format off
  const test::BadInput rows[] = {
      {"a set hour is cut to two digits, 12 saved", page->ArmHour(), "123", test::kSet, save, {ok},
       {test::FrameLine("07 08 02 02 0C 1E 01 13 00")}},
      {"a letter typed into a minute is kept out, 59 saved", page->ArmMinute(), "5x9", test::kTyped, save, {ok},
       {test::FrameLine("07 08 02 02 07 3B 01 13 00")}},
      {"letters in a minute are refused as a bad time", page->DisarmMinute(), "ab", test::kSet, save, {bad}, {}},
      {"no arm day is refused as a bad time", page->ArmDay(), "", test::kSet, save, {bad}, {}},
      {"no disarm day is refused as a bad time", page->DisarmDay(), "", test::kSet, save, {bad}, {}},
      {"no group asks for one", page->Groups(), "", test::kSet, save, {"Выберете необходимую группу!"}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    Fill(1, {"07", "30", "19", "00"});  // the group first: choosing one fills its fields from the host's
    test::Press(row, messages, host);
  }
}

// A set or look-up the host leaves unanswered, or pressed without a host, is reported; an
// unanswered look-up empties the table. Which reply is a refusal is the codec's to prove.
TEST_F(TimedArmDlgTest, UnansweredOrHostlessPressesAreReportedAndAnUnansweredLookupEmptiesTheTable) {
  env.SetTimeouts(1, 200);
  const auto press = [&](QPushButton* button, bool found, const char* shown, std::size_t sent) {
    host.SetFaults(Silent());
    HostFound = found;
    host.ClearLog();
    messages.Clear();
    button->click();
    ASSERT_TRUE(messages.WaitFor(1));
    EXPECT_EQ(messages.Texts(), Row{shown});
    EXPECT_EQ(host.FramesReceived().size(), sent);
  };
  ShowPage(1, Setting());
  Fill(0, {"07", "00", "19", "00"});
  press(Setting()->SaveButton(), true, "Setting failure!", 1);
  press(Setting()->SaveButton(), false, "3G камера не найдена!!", 0);
  press(Lookup()->LookupButton(), false, "3G камера не найдена!!", 0);
  host.SetFaults({});
  HostFound = 1;
  ShowPage(0, Lookup());
  LookUpAll();
  press(Lookup()->LookupButton(), true, "Сбой!", 1);
  for (int row = 1; row < 10; ++row) EXPECT_EQ(Cells(row), (Row{"", "", "", ""})) << "stale row " << row;
}

// A look-up of the same schedules changes no row the eye can tell from before: the status line says
// it came.
TEST_F(TimedArmDlgTest, ALookupSaysOnTheStatusLineHowManyGroupsCame) {
  LookUpAll();
  EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == QStringLiteral("Прочитано групп: 3"); }))
      << dialog->StatusText().toStdString();
  dialog->Tabs()->setCurrentIndex(1);
  EXPECT_TRUE(dialog->StatusText().isEmpty()) << "one page's answer shown under the other";
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "alarm/CTimedArmDlg.h"
#include "alarm/CTimedLookupPage.h"
#include "alarm/CTimedSettingPage.h"
#include "hostsim/AlarmState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/LinkHarness.h"
#include "tests/gui/WaitFor.h"
#include "widgets/CGridCtrl.h"
#include "widgets/CTabCtrlEx.h"

namespace veyra {
namespace {

using testing::Hex;
using testing::Hexes;
using testing::LinkHarness;

std::vector<std::string> RowTexts(const CGridCtrl* grid, int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < grid->GetColumnCount(); ++column)
    texts.push_back(grid->GetItemText(row, column).toStdString());
  return texts;
}

class TimedArmDlgTest : public LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
    dialog = std::make_unique<CTimedArmDlg>();
    dialog->SetCommn(&port);
    ASSERT_EQ(dialog->OpenPort(kCom), 1);
    dialog->show();
  }
  void TearDown() override {
    dialog.reset();
    HostFound = 0;
    LinkHarness::TearDown();
  }

  CTimedLookupPage* Lookup() const { return dialog->LookupPage(); }
  CTimedSettingPage* Setting() const { return dialog->SettingPage(); }
  CGridCtrl* Grid() const { return Lookup()->Grid(); }

  void ShowSettingPage() {
    dialog->Tabs()->setCurrentIndex(1);
    ASSERT_EQ(port.Owner(), static_cast<HostLink*>(Setting()));
  }
  void ShowLookupPage() {
    dialog->Tabs()->setCurrentIndex(0);
    ASSERT_EQ(port.Owner(), static_cast<HostLink*>(Lookup()));
  }
  void Fill(int groupRow, int armDay, const char* armHour, const char* armMinute, int disarmDay,
            const char* disarmHour, const char* disarmMinute) {
    CTimedSettingPage* page = Setting();
    page->Groups()->setCurrentRow(groupRow);
    page->ArmDay()->setCurrentIndex(armDay);
    page->ArmHour()->setText(armHour);
    page->ArmMinute()->setText(armMinute);
    page->DisarmDay()->setCurrentIndex(disarmDay);
    page->DisarmHour()->setText(disarmHour);
    page->DisarmMinute()->setText(disarmMinute);
  }
  // Presses "Проверить" and waits for the records the simulated host holds (three groups).
  void LookUpAll() {
    Lookup()->LookupButton()->click();
    ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 3; }));
  }

  std::unique_ptr<CTimedArmDlg> dialog;
};

TEST_F(TimedArmDlgTest, TitleTabsAndPagesAsTheUserSeesThem) {
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Время постановки/\x63нятия") << "Latin c in cнятия";
  CTabCtrlEx* tabs = dialog->Tabs();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Расписание постановки/снятия"));
  EXPECT_EQ(tabs->tabToolTip(0), QStringLiteral("Look up Timed arm/disarm"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Настройки времени постановки/снятия"));
  EXPECT_EQ(tabs->tabToolTip(1), QStringLiteral("Setting Timed Arm/Disarm"));
  EXPECT_EQ(tabs->currentIndex(), 0);

  EXPECT_EQ(Grid()->GetRowCount(), 10);
  EXPECT_EQ(RowTexts(Grid(), 0), (std::vector<std::string>{"No.", "Группа No.", "Постановка", "Снятие"}));
  EXPECT_EQ(Lookup()->LookupButton()->text(), QStringLiteral("Проверить"));
  EXPECT_EQ(Lookup()->RowCount(), 10);
  EXPECT_EQ(Lookup()->LastRow(), 0);

  CTimedSettingPage* page = Setting();
  EXPECT_EQ(page->ArmDay()->count(), 9);
  EXPECT_EQ(page->ArmDay()->currentText(), QStringLiteral("Выключить"));
  EXPECT_EQ(page->DisarmDay()->itemText(8), QStringLiteral("Воскресенье"));
  EXPECT_EQ(page->DisarmDay()->currentText(), QStringLiteral("Выключить"));
  ASSERT_EQ(page->Groups()->count(), 3);
  EXPECT_EQ(page->Groups()->item(1)->text(), QStringLiteral("Вторая группа"));
  EXPECT_EQ(page->Groups()->currentRow(), 0);
  for (QLineEdit* field : {page->ArmHour(), page->ArmMinute(), page->DisarmHour(), page->DisarmMinute()}) {
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(field->maxLength(), 2);
  }
  EXPECT_EQ(page->SaveButton()->text(), QStringLiteral("Сохранить"));
  EXPECT_TRUE(host.FramesReceived().empty()) << "nothing is read when the dialog opens";
}

TEST_F(TimedArmDlgTest, PortFollowsThePageInFront) {
  EXPECT_EQ(port.Owner(), static_cast<HostLink*>(Lookup())) << "the first page gets the port on opening";
  ShowSettingPage();
  ShowLookupPage();
}

TEST_F(TimedArmDlgTest, LookupSendsItsCommandAndFillsOneRowPerRecord) {
  LookUpAll();
  EXPECT_EQ(Hexes(host.FramesReceived()), (std::vector<std::string>{"AA 00 10 10 55"}));
  EXPECT_EQ(RowTexts(Grid(), 1), (std::vector<std::string>{"1", "01", "Повседневный,08:30", "Повседневный,18:00"}));
  EXPECT_EQ(RowTexts(Grid(), 2), (std::vector<std::string>{"2", "02", "Суббота,22:00", "Воскресенье,09:15"}));
  EXPECT_EQ(RowTexts(Grid(), 3), (std::vector<std::string>{"3", "03", "Выключить", "Выключить"}));
  EXPECT_EQ(RowTexts(Grid(), 4), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(Grid()->GetRowCount(), 10);
  EXPECT_EQ(Lookup()->RowCount(), 10);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(TimedArmDlgTest, LateRecordsGrowTheTableInArrivalOrderAndAFreshLookupStartsOver) {
  LookUpAll();
  // Records that come long after SendAndWait returned: each one goes below the last.
  Bytes late;
  for (int i = 0; i < 10; ++i) {
    const Bytes frame = BuildFrame({0x07, 0x10, 0x01, 0x02, static_cast<std::uint8_t>(i), 0x05, 0x00, 0x00, 0x00});
    late.insert(late.end(), frame.begin(), frame.end());
  }
  host.Inject(late);
  ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 13; }));
  EXPECT_EQ(Lookup()->RowCount(), 14);
  EXPECT_EQ(Grid()->GetRowCount(), 14);
  for (int i = 0; i < 10; ++i) {
    char arm[32];
    std::snprintf(arm, sizeof arm, "Понедельник,%02d:05", i);
    EXPECT_EQ(RowTexts(Grid(), 4 + i), (std::vector<std::string>{std::to_string(4 + i), "01", arm, "Выключить"}))
        << "row " << 4 + i;
  }
  // A short frame holds no whole record: skipped, nothing read past its end.
  host.Inject(BuildFrame({0x03, 0x10, 0x02, 0x02, 0x07}));
  host.Inject(BuildFrame({0x07, 0x10, 0x03, 0x09, 0x07, 0x1E, 0x00, 0x13, 0x00}));
  ASSERT_TRUE(test::WaitFor([&] { return Lookup()->LastRow() == 14; }));
  EXPECT_EQ(RowTexts(Grid(), 14), (std::vector<std::string>{"14", "03", "Выключить", "Выключить"}))
      << "day code 9 shows like 0, without a time";

  host.ClearLog();
  LookUpAll();
  EXPECT_EQ(Lookup()->RowCount(), 10);
  EXPECT_EQ(Grid()->GetRowCount(), 10) << "a refresh starts from ten rows again";
  EXPECT_EQ(RowTexts(Grid(), 1)[0], "1");
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(TimedArmDlgTest, LookupFailures) {
  LookUpAll();
  // The host answers with a frame that holds no record: nothing placed, nothing said.
  hostsim::Faults faults;
  faults.replaceReply = Hex("AA 00 10 10 55");
  host.SetFaults(faults);
  Lookup()->LookupButton()->click();
  test::DeliverPosted();
  EXPECT_EQ(Lookup()->LastRow(), 0);
  EXPECT_TRUE(messages.Texts().empty());

  env.SetTimeouts(1, 200);
  faults = {};
  faults.silent = true;
  host.SetFaults(faults);
  Lookup()->LookupButton()->click();
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Сбой!"}));
  for (int row = 1; row < Grid()->GetRowCount(); ++row)
    EXPECT_EQ(RowTexts(Grid(), row), (std::vector<std::string>{"", "", "", ""})) << "stale row " << row;

  messages.Clear();
  host.ClearLog();
  HostFound = 0;
  Lookup()->LookupButton()->click();
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"3G камера не найдена!!"}));
  EXPECT_TRUE(host.FramesReceived().empty());
}

TEST_F(TimedArmDlgTest, SetSendsTheGroupsTimesAndAReadShowsThem) {
  ShowSettingPage();
  Fill(1, 2, "7", "30", 1, "19", "");  // an empty minute field is sent as 0
  Setting()->SaveButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Setting Successful!"}));
  EXPECT_EQ(Hexes(host.FramesReceived()),
            (std::vector<std::string>{FormatHex(BuildFrame(Hex("07 08 02 02 07 1E 01 13 00")))}));
  {
    auto lock = host.Lock();
    EXPECT_EQ(host.Host().Alarm().Timer(2), (hostsim::TimerGroup{2, 7, 30, 1, 19, 0}));
  }
  ShowLookupPage();
  LookUpAll();
  EXPECT_EQ(RowTexts(Grid(), 2), (std::vector<std::string>{"2", "02", "Понедельник,07:30", "Повседневный,19:00"}));
  EXPECT_EQ(messages.Texts().size(), 1u) << "the look-up page shows nothing of its own";
}

TEST_F(TimedArmDlgTest, SetFailuresAndRefusals) {
  struct Row {
    const char* fault;
    int group;  // -1: none selected
    const char* armHour;
    const char* armMinute;
    const char* disarmHour;
    const char* disarmMinute;
    enum { Answers, Refuses, Silent, NoHost } host;
    std::string shown;
    bool sent;
  };
  const Row rows[] = {
      {"hour 24 sent as a time that never comes", 0, "24", "00", "19", "00", Row::Answers, "Неверное время!", false},
      {"minute 60 sent", 0, "07", "60", "19", "00", Row::Answers, "Неверное время!", false},
      {"disarm hour 99 sent", 2, "07", "00", "99", "00", Row::Answers, "Неверное время!", false},
      {"disarm minute 75 sent", 2, "07", "00", "19", "75", Row::Answers, "Неверное время!", false},
      {"no group selected yet something sent", -1, "07", "00", "19", "00", Row::Answers,
       "Выберете необходимую группу!", false},
      {"a refusing host reported as success", 0, "07", "00", "19", "00", Row::Refuses, "Setting failure!", true},
      {"no reply unreported", 0, "07", "00", "19", "00", Row::Silent, "Setting failure!", true},
      {"sent without a host", 0, "07", "00", "19", "00", Row::NoHost, "3G камера не найдена!!", false},
  };
  ShowSettingPage();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Row::Silent;
    if (row.host == Row::Refuses) faults.replaceReply = BuildFrame({0x01, 0x08, 0xFF});
    host.SetFaults(faults);
    env.SetTimeouts(row.host == Row::Silent ? 1 : 3, row.host == Row::Silent ? 200 : 1000);
    HostFound = row.host == Row::NoHost ? 0 : 1;
    host.ClearLog();
    messages.Clear();
    Fill(std::max(row.group, 0), 2, row.armHour, row.armMinute, 1, row.disarmHour, row.disarmMinute);
    if (row.group < 0) Setting()->Groups()->clearSelection();
    Setting()->SaveButton()->click();
    ASSERT_TRUE(messages.WaitFor(1));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{row.shown}));
    EXPECT_EQ(host.FramesReceived().size(), row.sent ? 1u : 0u);
  }
}

}  // namespace
}  // namespace veyra

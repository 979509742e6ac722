// Bad input on the alarm dialogs that take any: the telephone numbers and the timed arm/disarm
// setting page. Each press ends in the dialog's own message with nothing sent, or in the exact
// bytes. The operate-host and history dialogs have buttons only.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <string>

#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/CTimedArmDlg.h"
#include "features/alarm/CTimedSettingPage.h"
#include "tests/common/BadInput.h"
#include "tests/common/DialogFixture.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

using test::FrameLine;
using test::kCyrillic;
using test::kEmoji;
using test::kPasted;
using test::kSet;
using test::kTyped;
using test::Many;

class PhoneBadInputTest : public test::DialogFixture<CAlarmPhoneDlg> {};

TEST_F(PhoneBadInputTest, ANumberTheHostCannotHoldIsRefusedAndAnyOtherSentPacked) {
  dialog->CheckBox(1)->setChecked(true);
  QLineEdit* number = dialog->Field(1);
  QPushButton* save = dialog->SaveButton();
  const std::vector<std::string> refused = {"Сбой при сохранения телефонных номеров 1!",
                                            "Сбой при сохранении телефонных номеров!"};
  std::string ones;  // 31 bytes of 0x11
  for (int i = 0; i < 31; ++i) ones += " 11";
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty ticked slot is erased", number, "", kSet, save, {}, {FrameLine("02 0D 01 FF")}},
      {"blanks only", number, "   ", kSet, save, {}, {FrameLine("02 0D 01 FF")}},
      {"63 digits fill the 32 bytes a number frame holds", number, Many('1', 63), kSet, save, {},
       {FrameLine("21 0D 01" + ones + " 1F")}},
      {"64 digits", number, Many('1', 64), kSet, save, refused, {}},
      {"a 10,000-digit paste", number, Many('1'), kPasted, save, refused, {}},
      {"letters", number, "abc", kTyped, save, refused, {}},
      {"Cyrillic", number, kCyrillic, kSet, save, refused, {}},
      {"emoji", number, kEmoji, kSet, save, refused, {}},
  };
  // clang-format on
  for (const auto& row : rows) test::Press(row, messages, host);
}

class TimedBadInputTest : public test::DialogFixture<CTimedArmDlg> {};

TEST_F(TimedBadInputTest, ATimeThatNeverComesIsRefusedAndAnyOtherSentAsItReads) {
  CTimedSettingPage* page = dialog->SettingPage();
  test::ShowPageOf(dialog->Tabs(), page);
  QPushButton* save = page->SaveButton();
  const std::string ok = "Setting Successful!";
  const std::string bad = "Неверное время!";
  QLineEdit *armHour = page->ArmHour(), *armMinute = page->ArmMinute();
  QLineEdit *disarmHour = page->DisarmHour(), *disarmMinute = page->DisarmMinute();
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty hour is 0", armHour, "", kSet, save, {ok}, {FrameLine("07 08 02 02 00 1E 01 13 00")}},
      {"blanks read as midnight", armHour, "  ", kSet, save, {bad}, {}},
      {"a third hour digit", armHour, "123", kSet, save, {ok}, {FrameLine("07 08 02 02 0C 1E 01 13 00")}},
      {"a 10,000-digit paste clipped to hour 99", armHour, Many('9'), kSet, save, {bad}, {}},
      {"a letter typed into a minute", armMinute, "5x9", kTyped, save, {ok}, {FrameLine("07 08 02 02 07 3B 01 13 00")}},
      {"letters read as minute 0", armMinute, "ab", kSet, save, {bad}, {}},
      {"a pasted word", disarmMinute, "ab", kPasted, save, {ok}, {FrameLine("07 08 02 02 07 1E 01 13 00")}},
      {"Cyrillic read as hour 0", disarmHour, kCyrillic, kSet, save, {bad}, {}},
      {"emoji read as minute 0", disarmMinute, kEmoji, kSet, save, {bad}, {}},
      {"no arm day", page->ArmDay(), "", kSet, save, {bad}, {}},
      {"no disarm day", page->DisarmDay(), "", kSet, save, {bad}, {}},
      {"no group", page->Groups(), "", kSet, save, {"Выберете необходимую группу!"}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    page->Groups()->setCurrentRow(1);  // first: choosing a group fills its fields from the host's
    page->ArmDay()->setCurrentIndex(2);
    page->ArmHour()->setText("07");
    page->ArmMinute()->setText("30");
    page->DisarmDay()->setCurrentIndex(1);
    page->DisarmHour()->setText("19");
    page->DisarmMinute()->setText("00");
    test::Press(row, messages, host);
  }
}

}  // namespace
}  // namespace veyra

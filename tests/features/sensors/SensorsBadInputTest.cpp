// Bad input on the sensors, smart-home and MMS dialogs: every field and list fed what a user or a
// program can put there, each press ending in the dialog's own message with nothing sent, or in
// the exact bytes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSensorEditPage.h"
#include "features/sensors/CSensorListPage.h"
#include "features/sensors/CSensorsDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
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

const std::string kFormat = "Ошибка формата ввода!!";

class SensorsBadInputTest : public test::DialogFixture<CSensorsDlg> {};

TEST_F(SensorsBadInputTest, EachFieldAndListRefusesOrSendsExactly) {
  env.SetTimeouts(1, 300);
  CSensorEditPage* edit = dialog->EditPage();
  CSensorListPage* list = dialog->ListPage();
  QLineEdit *zone = edit->ZoneEdit(), *number = edit->NumberEdit(), *id = edit->SirenIdEdit();
  QPushButton *learn = edit->LearnButton(), *remove = edit->DeleteButton(), *siren = edit->SirenIdButton();
  const std::string trigger = "Пожалуйста, триггерный датчик для записи в течение 30-х годов!";
  const std::string noZone = "Введите зону!!", noNumber = "Введите NO. датчика!!";
  const std::string learnt12 = "AA 02 11 32 12 57 55", siren01201120 = "AA 04 19 01 20 11 20 6F 55";
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty zone", zone, "", kSet, learn, {noZone}, {}},
      {"blanks learnt as zone 0", zone, "  ", kSet, learn, {noZone}, {}},
      {"a third zone digit", zone, "123", kSet, learn, {trigger}, {learnt12}},
      {"a 10,000-digit zone", zone, Many('9'), kSet, learn, {trigger}, {FrameLine("02 11 32 99")}},
      {"a letter typed into the zone", zone, "1a2", kTyped, learn, {trigger}, {learnt12}},
      {"letters learnt as zone 0", zone, "ab", kSet, learn, {kFormat}, {}},
      {"Cyrillic zone", zone, kCyrillic, kSet, learn, {kFormat}, {}},
      {"emoji zone", zone, kEmoji, kSet, learn, {kFormat}, {}},
      {"no learn type", edit->LearnTypeList(), "", kSet, learn, {kFormat}, {}},
      {"no learn mode", edit->LearnModeList(), "", kSet, learn, {kFormat}, {}},
      {"an empty device number", number, "", kSet, remove, {noNumber}, {}},
      {"blanks deleting device 0", number, "  ", kSet, remove, {noNumber}, {}},
      {"a 10,000-digit device number", number, Many('1'), kSet, remove, {}, {FrameLine("02 15 01 0A")}},
      {"a pasted word", number, "ab", kPasted, remove, {noNumber}, {}},
      {"letters deleting device 0", number, "ab", kSet, remove, {kFormat}, {}},
      {"emoji device number", number, kEmoji, kSet, remove, {kFormat}, {}},
      {"no device kind", edit->DeleteKindList(), "", kSet, remove, {kFormat}, {}},
      {"an empty siren ID", id, "", kSet, siren, {"Укажите ID сирены!!"}, {}},
      {"eight blanks", id, "        ", kSet, siren, {kFormat}, {}},
      {"a ninth ID digit", id, "012011201", kSet, siren, {}, {siren01201120}},
      {"a 10,000-digit ID", id, Many('1'), kSet, siren, {}, {FrameLine("04 19 11 11 11 11")}},
      {"a letter typed into the ID", id, "0120x1120", kTyped, siren, {}, {siren01201120}},
      {"letters in the ID", id, "abcdefgh", kSet, siren, {kFormat}, {}},
      {"Cyrillic ID", id, kCyrillic, kSet, siren, {kFormat}, {}},
      {"emoji ID", id, kEmoji, kSet, siren, {kFormat}, {}},
      {"no filter lists nothing", list->FilterList(), "", kSet, list->CheckButton(), {}, {"AA 00 12 12 55"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    edit->LearnTypeList()->setCurrentIndex(2);
    edit->LearnModeList()->setCurrentIndex(1);
    zone->setText("12");
    edit->DeleteKindList()->setCurrentIndex(1);
    number->setText("1");
    id->setText("01201120");
    list->FilterList()->setCurrentIndex(0);
    test::ShowPageOf(dialog->Tabs(), row.button);
    test::Press(row, messages, host);
  }
  // Without a filter every device is listed, as under "Все": the host's twelve and those learnt above.
  EXPECT_TRUE(test::WaitFor([&] { return list->LastRow() >= 12; })) << "placed " << list->LastRow();
}

class SmartHomeBadInputTest : public test::DialogFixture<CSmartHomeDlg> {};

TEST_F(SmartHomeBadInputTest, TheIdIsSixDigitsAndAListWithoutSelectionSendsNothing) {
  const std::string taken = "Настройки приняты", id123456 = "AA 03 20 12 34 56 BF 55";
  QLineEdit* id = dialog->IdEdit();
  QPushButton* set = dialog->SetIdButton();
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty ID", id, "", kSet, set, {"Укажите ID!!"}, {}},
      {"six blanks", id, "      ", kSet, set, {kFormat}, {}},
      {"five digits", id, "12345", kSet, set, {kFormat}, {}},
      {"a seventh digit", id, "1234567", kSet, set, {taken}, {id123456}},
      {"a 10,000-digit paste", id, Many('9'), kPasted, set, {taken}, {FrameLine("03 20 99 99 99")}},
      {"a letter typed", id, "12a3456", kTyped, set, {taken}, {id123456}},
      {"letters", id, "abcdef", kSet, set, {kFormat}, {}},
      {"Cyrillic", id, kCyrillic, kSet, set, {kFormat}, {}},
      {"emoji", id, kEmoji, kSet, set, {kFormat}, {}},
      {"no single trigger", dialog->SingleList(), "", kSet, dialog->SendSingleButton(), {}, {}},
      {"no double trigger", dialog->DoubleList(), "", kSet, dialog->SendDoubleButton(), {}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    dialog->SingleList()->setCurrentIndex(0);
    dialog->DoubleList()->setCurrentIndex(0);
    test::Press(row, messages, host);
  }
}

class MmsBadInputTest : public test::DialogFixture<CMmsSettingDlg> {};

TEST_F(MmsBadInputTest, TextsTheHostCannotTakeAreRefusedAndAnyOtherSentAsTyped) {
  const std::string sent = "Sending Successful", tooLong = "Text is too long!",
                    invalid = "Invalid character!";
  std::string apn250 = "FA 26";
  for (int i = 0; i < 250; ++i) apn250 += " 61";
  QPushButton *apn = dialog->SetApnButton(), *user = dialog->SetUserButton(), *url = dialog->SetUrlButton();
  QPushButton *gateway = dialog->SetGatewayButton(), *sendTest = dialog->SendTestButton();
  QLineEdit* phone = dialog->PhoneEdit();
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty APN", dialog->ApnEdit(), "", kSet, apn, {sent}, {"AA 00 26 26 55"}},
      {"blanks around nothing", dialog->ApnEdit(), " \t ", kSet, apn, {sent}, {"AA 00 26 26 55"}},
      {"250 characters fill a frame", dialog->ApnEdit(), Many('a', 250), kSet, apn, {sent}, {FrameLine(apn250)}},
      {"251 characters", dialog->ApnEdit(), Many('a', 251), kSet, apn, {tooLong}, {}},
      {"Cyrillic APN", dialog->ApnEdit(), kCyrillic, kSet, apn, {invalid}, {}},
      {"a 10,000-character user", dialog->UserEdit(), Many('u'), kPasted, user, {tooLong}, {}},
      {"emoji password", dialog->PasswordEdit(), kEmoji, kSet, user, {invalid}, {}},
      {"a 10,000-character URL", dialog->UrlEdit(), Many('w'), kSet, url, {tooLong}, {}},
      {"Cyrillic IP", dialog->IpEdit(), kCyrillic, kSet, gateway, {invalid}, {}},
      {"letters in the port go as typed", dialog->PortEdit(), "ab", kTyped, gateway, {sent},
       {FrameLine("07 30 31 2C 22 22 2C 61 62")}},
      {"no WAP version is 2.0", dialog->WapList(), "", kSet, gateway, {sent}, {"AA 05 30 31 2C 22 22 2C 03 55"}},
      {"an empty test phone", phone, "", kSet, sendTest, {}, {"AA 01 32 FF 33 55"}},
      {"blanks for a test phone", phone, "   ", kSet, sendTest, {}, {"AA 01 32 FF 33 55"}},
      {"letters in the test phone", phone, "abc", kTyped, sendTest, {invalid}, {}},
      {"a 10,000-digit test phone", phone, Many('1'), kSet, sendTest, {tooLong}, {}},
      {"Cyrillic test phone", phone, kCyrillic, kSet, sendTest, {invalid}, {}},
      {"emoji test phone", phone, kEmoji, kSet, sendTest, {invalid}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    for (QLineEdit* field : {dialog->ApnEdit(), dialog->UserEdit(), dialog->PasswordEdit(), dialog->UrlEdit(),
                             dialog->IpEdit(), dialog->PortEdit(), phone})
      field->clear();
    dialog->WapList()->setCurrentIndex(0);
    test::Press(row, messages, host);
  }
}

}  // namespace
}  // namespace veyra

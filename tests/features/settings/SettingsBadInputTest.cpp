// Bad input on the settings pages: every field and list fed what a user or a program can put
// there, each press ending in the page's own message with nothing sent, or in the exact bytes.
// The clock page has no input of its own.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "features/settings/CPasswordPage.h"
#include "features/settings/CSettingsDlg.h"
#include "features/settings/CSetupPage.h"
#include "hostsim/SettingsState.h"
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

class SettingsBadInputTest : public test::DialogFixture<CSettingsDlg> {};

TEST_F(SettingsBadInputTest, EachFieldAndListRefusesOrSendsExactly) {
  env.SetTimeouts(1, 300);
  {
    auto lock = host.Lock();
    host.Host().Settings().SetSetup({0xBB, 0x03, 0x05, 0x1E, 0x0A, 0x01});
  }
  CSetupPage* setup = dialog->SetupPage();
  CPasswordPage* password = dialog->PasswordPage();
  setup->GetButton()->click();  // the first save only reads
  ASSERT_EQ(setup->ConfigObtained(), 1);
  QPushButton *save = setup->SaveButton(), *send = password->SendButton();
  QLineEdit *siren = setup->SirenEdit(), *redial = setup->RedialEdit(), *alarmDelay = setup->AlarmDelayEdit();
  QLineEdit *current = password->CurrentEdit(), *fresh = password->NewEdit();
  const std::string saved = "Настройки конфигурации приняты!", changed = "Измененный пароль принят!";
  const std::string length = "Длина пароля должна составлять 4 символа!",
                    varies = "Password input varies from!";
  const auto record = [](const char* bytes) { return FrameLine(std::string("06 04 ") + bytes); };
  const std::string change0815 = FrameLine("04 05 12 34 08 15");
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty siren field is 0", siren, "", kSet, save, {saved}, {record("BB 00 05 1E 0A 01")}},
      {"blanks in the siren field", siren, "   ", kSet, save, {saved}, {record("BB 00 05 1E 0A 01")}},
      {"a third siren digit", siren, "123", kSet, save, {saved}, {record("BB 0C 05 1E 0A 01")}},
      {"a 10,000-digit paste into a delay", setup->ArmDelayEdit(), Many('9'), kSet, save, {saved},
       {record("BB 03 05 63 0A 01")}},
      {"a letter typed into a delay", alarmDelay, "4x2", kTyped, save, {saved}, {record("BB 03 05 1E 2A 01")}},
      {"a pasted word in a delay", alarmDelay, "ten", kPasted, save, {saved}, {record("BB 03 05 1E 00 01")}},
      {"Cyrillic set into a delay", alarmDelay, kCyrillic, kSet, save, {saved}, {record("BB 03 05 1E 00 01")}},
      {"letters in the redial count", redial, "abc", kSet, save, {saved}, {record("BB 03 00 1E 0A 01")}},
      {"a 10,000-digit redial count", redial, Many('9'), kSet, save, {saved}, {record("BB 03 FF 1E 0A 01")}},
      {"an emoji redial count", redial, kEmoji, kSet, save, {saved}, {record("BB 03 00 1E 0A 01")}},
      {"no picture size", setup->MmsSizeList(), "", kSet, save, {saved}, {record("BB 03 05 1E 0A FF")}},
      {"no network mode", setup->NetworkList(), "", kSet, save, {saved}, {record("BB 03 05 1E 0A 01")}},
      {"an empty current password", current, "", kSet, send, {length}, {}},
      {"blanks for the current password", current, "    ", kSet, send, {length}, {}},
      {"letters in the current password", current, "12ab", kSet, send, {length}, {}},
      {"Cyrillic current password", current, kCyrillic, kSet, send, {length}, {}},
      {"emoji current password", current, kEmoji, kSet, send, {length}, {}},
      {"letters in the new password", fresh, "08ab", kSet, send, {length}, {}},
      {"a fifth digit of the new password", fresh, "08155", kSet, send, {changed}, {change0815}},
      {"a letter typed into the new password", fresh, "08x15", kTyped, send, {changed}, {change0815}},
      {"10,000 digits for the new password", fresh, Many('7'), kSet, send, {varies}, {}},
      {"an empty confirmation", password->ConfirmEdit(), "", kSet, send, {varies}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    setup->SirenEdit()->setText("3");
    setup->RedialEdit()->setText("5");
    setup->ArmDelayEdit()->setText("30");
    setup->AlarmDelayEdit()->setText("10");
    setup->MmsSizeList()->setCurrentIndex(1);
    setup->NetworkList()->setCurrentIndex(0);
    password->CurrentEdit()->setText("1234");
    password->NewEdit()->setText("0815");
    password->ConfirmEdit()->setText("0815");
    {
      auto lock = host.Lock();
      host.Host().SetPassword("1234");
    }
    test::ShowPageOf(dialog->Tabs(), row.button);
    test::Press(row, messages, host);
  }
}

}  // namespace
}  // namespace veyra

// Each field a comparison can name, in the words of the window where it is set, and its value as
// that window shows it.
#include <gtest/gtest.h>

#include <string>

#include "backup/FieldWords.h"

namespace veyra::backup {
namespace {

// The pieces joined, texts to translate marked with brackets.
std::string Joined(const Words& words) {
  std::string text;
  for (const WordPiece& piece : words) text += piece.translate ? "[" + piece.text + "]" : piece.text;
  return text;
}

TEST(FieldWords, EachFieldInTheWordsOfItsWindow) {
  const struct {
    const char* expect;
    const char* field;
    std::string_view area;
    const char* words;
  } rows[] = {
      {"siren minutes in words", "setup.siren_minutes", kSetupAreaText, "[Длительность сирены, минут]"},
      {"alarm delay in words", "setup.alarm_delay_s", kSetupAreaText, "[Задержка тревоги, секунд]"},
      {"picture size in words", "setup.mms_size", kSetupAreaText, "[Размер MMS изображения]"},
      {"network in words", "setup.network", kSetupAreaText, "[Режим связи]"},
      {"an option named as its check box", "setup.sms_arm", kSetupAreaText, "[SMS при постановке/снятии]"},
      {"the last option named", "setup.record_alarm", kSetupAreaText, "[Запись видео/фото при тревоге]"},
      {"group before column", "timers.group1_arm", kTimersAreaText, "[Первая группа]: [Постановка]"},
      {"third group's disarm in words", "timers.group3_disarm", kTimersAreaText, "[Третья группа]: [Снятие]"},
      {"a voice slot named as its label", "phones.voice2", kPhonesAreaText, "[Тел. номер 2]"},
      {"an sms slot counted on its own", "phones.sms1", kPhonesAreaText, "[SMS. номер 1]"},
      {"the last mms slot named", "phones.mms3", kPhonesAreaText, "[MMS.номер 3]"},
      {"the device number kept", "devices.device12", kDevicesAreaText, "[Устройство] 12"},
      {"a newer file's field kept as written", "setup.volume", kSetupAreaText, "volume"},
      {"a group past the three kept as written", "timers.group4_arm", kTimersAreaText, "group4_arm"},
      {"a field outside the areas given no area", "extra.thing", "", "extra.thing"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const FieldWording wording = WordsOfField(row.field);
    EXPECT_EQ(wording.area, row.area);
    EXPECT_EQ(Joined(wording.field), row.words);
  }
}

TEST(FieldWords, EachValueAsItsWindowShowsIt) {
  const struct {
    const char* expect;
    const char* field;
    const char* value;
    const char* words;
  } rows[] = {
      {"option on in words", "setup.mirror", "on", "[Вкл.]"},
      {"option off in words", "setup.mirror", "off", "[Выкл.]"},
      {"network auto in words", "setup.network", "auto", "[Автоматически]"},
      {"network 3g in words", "setup.network", "3g", "[Только 3G (WCDMA)]"},
      {"a number kept as digits", "setup.siren_minutes", "3", "3"},
      {"a size kept as written", "setup.mms_size", "320*240", "320*240"},
      {"a timer day in words", "timers.group2_arm", "daily,08:30", "[Повседневный] 08:30"},
      {"a timer off in words", "timers.group2_disarm", "off,00:00", "[Выключить] 00:00"},
      {"a day code without a name kept", "timers.group1_arm", "day9,01:02", "day9,01:02"},
      {"an empty number shown as a dash", "phones.voice1", "", "—"},
      {"a number kept as written", "phones.voice1", "0123*G", "0123*G"},
      {"on in a phone slot kept as written", "phones.sms2", "on", "on"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(Joined(WordsOfValue(row.field, row.value)), row.words);
  }
}

}  // namespace
}  // namespace veyra::backup

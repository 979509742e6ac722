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
    const char* fault;
    const char* field;
    std::string_view area;
    const char* words;
  } rows[] = {
      {"siren minutes by key", "setup.siren_minutes", kSetupAreaText, "[Длительность сирены, минут]"},
      {"alarm delay by key", "setup.alarm_delay_s", kSetupAreaText, "[Задержка тревоги, секунд]"},
      {"picture size by key", "setup.mms_size", kSetupAreaText, "[Размер MMS изображения]"},
      {"network by key", "setup.network", kSetupAreaText, "[Режим связи]"},
      {"option named apart from its check box", "setup.sms_arm", kSetupAreaText,
       "[SMS при постановке/снятии]"},
      {"last option missed", "setup.record_alarm", kSetupAreaText, "[Запись видео/фото при тревоге]"},
      {"group and column swapped", "timers.group1_arm", kTimersAreaText, "[Первая группа]: [Постановка]"},
      {"third group's disarm by key", "timers.group3_disarm", kTimersAreaText, "[Третья группа]: [Снятие]"},
      {"voice slot apart from its label", "phones.voice2", kPhonesAreaText, "[Тел. номер 2]"},
      {"sms slot counted from the voice ones", "phones.sms1", kPhonesAreaText, "[SMS. номер 1]"},
      {"last mms slot missed", "phones.mms3", kPhonesAreaText, "[MMS.номер 3]"},
      {"device number lost", "devices.device12", kDevicesAreaText, "[Устройство] 12"},
      {"a newer file's field dropped", "setup.volume", kSetupAreaText, "volume"},
      {"a group past the three read past the names", "timers.group4_arm", kTimersAreaText, "group4_arm"},
      {"a field outside the areas given an area", "extra.thing", "", "extra.thing"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const FieldWording wording = WordsOfField(row.field);
    EXPECT_EQ(wording.area, row.area);
    EXPECT_EQ(Joined(wording.field), row.words);
  }
}

TEST(FieldWords, EachValueAsItsWindowShowsIt) {
  const struct {
    const char* fault;
    const char* field;
    const char* value;
    const char* words;
  } rows[] = {
      {"option on in the file's English", "setup.mirror", "on", "[Вкл.]"},
      {"option off in the file's English", "setup.mirror", "off", "[Выкл.]"},
      {"network auto by key", "setup.network", "auto", "[Автоматически]"},
      {"network 3g by key", "setup.network", "3g", "[Только 3G (WCDMA)]"},
      {"a number turned into words", "setup.siren_minutes", "3", "3"},
      {"a size changed", "setup.mms_size", "320*240", "320*240"},
      {"a timer day by key", "timers.group2_arm", "daily,08:30", "[Повседневный] 08:30"},
      {"a timer off by key", "timers.group2_disarm", "off,00:00", "[Выключить] 00:00"},
      {"a day code without a name lost", "timers.group1_arm", "day9,01:02", "day9,01:02"},
      {"an empty number shown as nothing", "phones.voice1", "", "—"},
      {"a number changed", "phones.voice1", "0123*G", "0123*G"},
      {"on in a phone slot taken for an option", "phones.sms2", "on", "on"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(Joined(WordsOfValue(row.field, row.value)), row.words);
  }
}

}  // namespace
}  // namespace veyra::backup

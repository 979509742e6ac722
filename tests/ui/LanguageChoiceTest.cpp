// Which language --lang and the locale pick, and that Qt's own buttons speak the windows' language.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <optional>

#include "ui/Translation.h"

namespace veyra {
namespace {

TEST(LanguageChoiceTest, TheOptionNamesOneLanguage) {
  const struct {
    const char* fault;
    const char* value;
    std::optional<Language> language;
  } rows[] = {
      {"the texts as written cannot be asked for", "original", Language::Original},
      {"ru still means the texts as written", "ru", Language::Russian},
      {"en refused", "en", Language::English},
      {"a spelling in capitals refused", "EN", Language::English},
      {"the language's name refused", "russian", Language::Russian},
      {"the old name of the texts as written refused", "source", Language::Original},
      {"a language without a catalogue taken", "de", std::nullopt},
      {"an empty value taken", "", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(LanguageOfOption(row.value), row.language);
  }
}

TEST(LanguageChoiceTest, TheLocalePicksACatalogueOnlyWhereThereIsOne) {
  const struct {
    const char* fault;
    QLocale locale;
    Language language;
  } rows[] = {
      {"a Russian locale shows the texts as written, English and Chinese among them",
       QLocale(QLocale::Russian, QLocale::Russia), Language::Russian},
      {"an English locale is not English", QLocale(QLocale::English, QLocale::UnitedKingdom),
       Language::English},
      {"a locale without a catalogue gets one of another language", QLocale(QLocale::German),
       Language::Original},
      {"the C locale gets a catalogue", QLocale::c(), Language::Original},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(LanguageOfLocale(row.locale), row.language);
  }
}

TEST(LanguageChoiceTest, QtsOwnButtonsSpeakTheWindowsLanguage) {
  const struct {
    const char* fault;
    Language language;
    const char* cancel;  // Qt's own Cancel button
  } rows[] = {
      {"Qt's buttons English beside the Russian windows as written", Language::Original, "Отмена"},
      {"Qt's buttons English beside the Russian catalogue", Language::Russian, "Отмена"},
      {"Qt's buttons Russian beside the English catalogue", Language::English, "Cancel"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_TRUE(LoadLanguage(row.language));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(row.cancel));
  }
  LoadLanguage(Language::Original);
}

}  // namespace
}  // namespace veyra

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
    const char* expect;
    const char* value;
    std::optional<Language> language;
  } rows[] = {
      {"original asks for the texts as written", "original", Language::Original},
      {"ru means Russian", "ru", Language::Russian},
      {"en means English", "en", Language::English},
      {"a spelling in capitals is taken", "EN", Language::English},
      {"the language's name is taken", "russian", Language::Russian},
      {"the old name of the texts as written is taken", "source", Language::Original},
      {"a language without a catalogue is refused", "de", std::nullopt},
      {"an empty value is refused", "", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(LanguageOfOption(row.value), row.language);
  }
}

TEST(LanguageChoiceTest, TheLocalePicksACatalogueOnlyWhereThereIsOne) {
  const struct {
    const char* expect;
    QLocale locale;
    Language language;
  } rows[] = {
      {"a Russian locale gets the Russian catalogue", QLocale(QLocale::Russian, QLocale::Russia),
       Language::Russian},
      {"an English locale gets English", QLocale(QLocale::English, QLocale::UnitedKingdom),
       Language::English},
      {"a locale without a catalogue gets the texts as written", QLocale(QLocale::German),
       Language::Original},
      {"the C locale gets the texts as written", QLocale::c(), Language::Original},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(LanguageOfLocale(row.locale), row.language);
  }
}

TEST(LanguageChoiceTest, QtsOwnButtonsSpeakTheWindowsLanguage) {
  const struct {
    const char* expect;
    Language language;
    const char* cancel;  // Qt's own Cancel button
  } rows[] = {
      {"Qt's buttons are Russian beside the windows as written", Language::Original, "Отмена"},
      {"Qt's buttons are Russian beside the Russian catalogue", Language::Russian, "Отмена"},
      {"Qt's buttons are English beside the English catalogue", Language::English, "Cancel"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_TRUE(LoadLanguage(row.language));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(row.cancel));
  }
  LoadLanguage(Language::Original);
}

}  // namespace
}  // namespace veyra

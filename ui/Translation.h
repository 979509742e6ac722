// The language of the program's texts. The texts in the sources are the language of the host's own
// documents; an English catalogue (translations/veyra-setup_en.ts, compiled into the program)
// translates them. In a Russian setting Qt's own translations are loaded, so that Qt's buttons and
// file dialogs speak the language of the windows around them.
#pragma once

#include <QLocale>
#include <QStringList>
#include <optional>
#include <string_view>

namespace veyra {

enum class Language {
  Source,   // the texts as written, Qt's own in English
  English,  // the English catalogue
  Russian,  // the texts as written, Qt's own in Russian
};

// --lang's value: "en" or "ru"; nothing for any other.
std::optional<Language> LanguageOfOption(std::string_view value);

// What a system setting asks for: English or Russian by the locale's language, else Source.
Language LanguageOfLocale(const QLocale& locale);

// Where Qt's own catalogues are looked for, first to last: translations/ beside the program, where a
// Windows copy carries them (its Qt's own path points outside the program's folder), then Qt's
// path, where a Linux system keeps them. Needs the application object.
QStringList QtTranslationDirectories();

// Replaces the catalogues loaded before with those of the language; needs the application object.
// False when one of them could not be loaded (the texts then stay as written).
bool LoadLanguage(Language language);

}  // namespace veyra

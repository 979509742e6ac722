// The language of the program's texts, one at a time. The texts in the sources are the host's own
// documents' (mostly Russian, a few English and Chinese); a Russian and an English catalogue
// (translations/veyra-setup_{ru,en}.ts, compiled into the program) put every one of them into one
// language. Qt's own catalogue is loaded beside ours, so that Qt's buttons and file dialogs speak the
// language of the windows around them.
#pragma once

#include <QLocale>
#include <QStringList>
#include <optional>
#include <string_view>

namespace veyra {

enum class Language {
  Original,  // the texts as written in the sources, Qt's own in Russian
  English,   // the English catalogue, Qt's own in English
  Russian,   // the Russian catalogue, Qt's own in Russian
};

// --lang's value: "original", "en" or "ru" (case aside; "english", "russian" and "source" too);
// nothing for any other.
std::optional<Language> LanguageOfOption(std::string_view value);

// What a system setting asks for: English or Russian by the locale's language; Original for any
// other, for which there is no catalogue.
Language LanguageOfLocale(const QLocale& locale);

// Where Qt's own catalogues are looked for, first to last: translations/ beside the program, where a
// Windows copy carries them (its Qt's own path points outside the program's folder), then Qt's
// path, where a Linux system keeps them. Needs the application object.
QStringList QtTranslationDirectories();

// Replaces the catalogues loaded before with those of the language; needs the application object.
// False when one of them could not be loaded (those texts then stay as written).
bool LoadLanguage(Language language);

}  // namespace veyra

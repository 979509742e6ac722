// The language of the messages veyractl prints. Without --lang (or with --lang original) they are
// printed as written, as scripts know them; --lang en and --lang ru print them from the catalogues
// the GUI uses (translations/veyra-setup_{en,ru}.ts, each turned into a plain table at build time).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace veyra::cli {

struct TextPair {
  std::string_view source;
  std::string_view translation;
};

// The catalogues' messages of the Qt-free code (generated).
std::span<const TextPair> EnglishTexts();
std::span<const TextPair> RussianTexts();

enum class Language { AsWritten, English, Russian };

// --lang's value: "original", "en" or "ru" (case aside; "english", "russian" and "source" too);
// nothing for any other.
std::optional<Language> LanguageOfOption(std::string_view value);

// A message in the catalogue's language: its translation, or the translated pattern it was built
// from, or the text as it is when the catalogue has neither.
std::string InEnglish(std::string_view text);
std::string InRussian(std::string_view text);

// What prints a message in the language; null for the texts as written.
using Localizer = std::string (*)(std::string_view);
Localizer LocalizerOf(Language language);

}  // namespace veyra::cli

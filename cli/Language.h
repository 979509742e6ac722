// The language of the messages veyractl prints. Without --lang they are printed as written, as
// scripts know them; --lang en prints them from the English catalogue that the GUI uses
// (translations/veyra-setup_en.ts, turned into a plain table at build time).
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

// The catalogue's messages of the Qt-free code (generated).
std::span<const TextPair> EnglishTexts();

enum class Language { AsWritten, English };

// --lang's value: "en" or "ru" (as written); nothing for any other.
std::optional<Language> LanguageOfOption(std::string_view value);

// A message in English: its translation, or the translated pattern it was built from, or the text
// as it is when the catalogue has neither.
std::string InEnglish(std::string_view text);

}  // namespace veyra::cli

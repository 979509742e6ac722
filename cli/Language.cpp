#include "cli/Language.h"

#include <algorithm>
#include <cctype>

#include "link/Translatable.h"

namespace veyra::cli {

namespace {

std::optional<std::string> LookUp(std::span<const TextPair> texts, std::string_view text) {
  const auto found =
      std::find_if(texts.begin(), texts.end(), [text](const TextPair& pair) { return pair.source == text; });
  if (found == texts.end()) return std::nullopt;
  return std::string(found->translation);
}

}  // namespace

std::optional<Language> LanguageOfOption(std::string_view value) {
  std::string lower(value);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "original" || lower == "source") return Language::AsWritten;
  if (lower == "en" || lower == "english") return Language::English;
  if (lower == "ru" || lower == "russian") return Language::Russian;
  return std::nullopt;
}

std::string InEnglish(std::string_view text) {
  return TranslateText(text, [](std::string_view t) { return LookUp(EnglishTexts(), t); });
}

std::string InRussian(std::string_view text) {
  return TranslateText(text, [](std::string_view t) { return LookUp(RussianTexts(), t); });
}

Localizer LocalizerOf(Language language) {
  switch (language) {
    case Language::English:
      return &InEnglish;
    case Language::Russian:
      return &InRussian;
    case Language::AsWritten:
      break;
  }
  return nullptr;
}

}  // namespace veyra::cli

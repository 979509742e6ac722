#include "cli/Language.h"

#include <algorithm>

#include "link/Translatable.h"

namespace veyra::cli {

namespace {

std::optional<std::string> LookUpEnglish(std::string_view text) {
  const std::span<const TextPair> texts = EnglishTexts();
  const auto found =
      std::find_if(texts.begin(), texts.end(), [text](const TextPair& pair) { return pair.source == text; });
  if (found == texts.end()) return std::nullopt;
  return std::string(found->translation);
}

}  // namespace

std::optional<Language> LanguageOfOption(std::string_view value) {
  if (value == "en") return Language::English;
  if (value == "ru") return Language::AsWritten;
  return std::nullopt;
}

std::string InEnglish(std::string_view text) { return TranslateText(text, LookUpEnglish); }

}  // namespace veyra::cli

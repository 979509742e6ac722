#include "link/Translatable.h"

namespace veyra {

namespace {

constexpr std::string_view kSlot = "%1";

}  // namespace

std::string FillIn(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  if (const std::size_t at = text.find(kSlot); at != std::string::npos) text.replace(at, kSlot.size(), value);
  return text;
}

std::string TranslateText(std::string_view text, const TextLookup& lookup) {
  if (!lookup) return std::string(text);
  if (std::optional<std::string> whole = lookup(text)) return *whole;
  for (const std::string_view pattern : kComposedPatterns) {
    const std::size_t at = pattern.find(kSlot);
    const std::string_view head = pattern.substr(0, at);
    const std::string_view tail = pattern.substr(at + kSlot.size());
    if (text.size() < head.size() + tail.size() || !text.starts_with(head) || !text.ends_with(tail)) continue;
    const std::optional<std::string> translated = lookup(pattern);
    if (!translated) continue;
    // The value may itself be a whole text of the catalogue ("Авто" in a status line).
    const std::string_view value = text.substr(head.size(), text.size() - head.size() - tail.size());
    return FillIn(*translated, lookup(value).value_or(std::string(value)));
  }
  return std::string(text);
}

}  // namespace veyra

// What the INI parsing rules promise about every parsed file, whatever bytes it was made of.
// Shared by the fuzzer and by the unit test that replays the fuzzer's seeds.
#pragma once

#include <string>
#include <string_view>

#include "link/IniFile.h"

namespace veyra::fuzz {

// "" when every stored entry has the shape the rules give it, else a description of the first
// entry that does not.
inline std::string IniInvariantViolation(const IniFile& ini) {
  auto contains = [](std::string_view text, std::string_view chars) {
    return text.find_first_of(chars) != std::string_view::npos;
  };
  const auto& entries = ini.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const IniEntry& e = entries[i];
    const std::string at = "entry " + std::to_string(i) + ": ";
    if (e.section.size() > IniFile::kMaxSectionName) return at + "section name too long";
    if (contains(e.section, std::string_view(" \t]\n", 4))) return at + "section name not cut";
    switch (e.kind) {
      case LineKind::Other:
        return at + "Other line stored";
      case LineKind::Section:
        if (!e.key.empty() || !e.text.empty()) return at + "section header with key or text";
        break;
      case LineKind::KeyValue:
        if (contains(e.key, std::string_view("\t=: \n", 5))) return at + "key not cut at separator";
        if (contains(e.text, std::string_view(";#\r\n", 4))) return at + "value not cut at remark";
        if (!e.text.empty() && contains(e.text.substr(0, 1), " \t=:")) return at + "value lead kept";
        if (!e.text.empty() && e.text.back() == ' ') return at + "value trailing space kept";
        if (e.key.size() + e.text.size() >= IniFile::kMaxLinePiece) return at + "longer than a piece";
        break;
      case LineKind::Blank:
        if (!e.text.empty() && e.text[0] != '\r') return at + "blank line with text";
        if (e.text.size() > 2) return at + "blank line text too long";
        break;
      case LineKind::Comment:
        if (e.text.empty() || (e.text[0] != ';' && e.text[0] != '#')) return at + "comment lead lost";
        if (contains(e.text, std::string_view("\t\n", 2))) return at + "comment not cut at tab";
        if (e.text.size() > IniFile::kMaxLinePiece) return at + "comment longer than a piece";
        break;
    }
  }
  // A look-up answers with the first matching entry in file order (checked for the first few
  // keys only, to keep big inputs fast).
  std::size_t checked = 0;
  for (const IniEntry& e : entries) {
    if (e.kind != LineKind::KeyValue) continue;
    if (++checked > 64) break;
    std::string first;
    for (const IniEntry& f : entries) {
      if (f.kind == LineKind::KeyValue && f.section == e.section && f.key == e.key) {
        first = f.text;
        break;
      }
    }
    if (ini.GetValue(e.section, e.key) != first) return "look-up of " + e.key + " is not the first";
  }
  return {};
}

}  // namespace veyra::fuzz

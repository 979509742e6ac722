#include "link/PrintableText.h"

#include <cstdint>

namespace veyra {

namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
}

// The length of the well-formed UTF-8 sequence at text[at] and its code point; 0 for none.
std::size_t Sequence(std::string_view text, std::size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t lowest = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    lowest = 0x80;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    lowest = 0x800;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    lowest = 0x10000;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = code << 6 | (next & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool Printable(char32_t code) {
  if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return false;
  // Embeddings, overrides and isolates reorder what follows them: a quoted value could make the
  // rest of the message read differently from what it says.
  if ((code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) return false;
  // Line and paragraph separators break a one-line message.
  return code != 0x2028 && code != 0x2029;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const std::size_t length = Sequence(text, at, code);
    if (length == 0) {
      AppendEscaped(out, text.substr(at, 1));
      ++at;
      continue;
    }
    if (Printable(code))
      out += text.substr(at, length);
    else
      AppendEscaped(out, text.substr(at, length));
    at += length;
  }
  return out;
}

}  // namespace veyra

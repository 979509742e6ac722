#include "link/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>

#include "link/FileCompat.h"

namespace veyra {
namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

// A CR directly before an LF is dropped, so a file saved by a Windows editor reads as one saved
// with LF alone; a CR anywhere else is an ordinary character, kept in its value. A file with no
// LF at all, though, is one whose editor ends lines with CR alone; read literally it would be a
// single line holding every key, so there each CR ends a line. A UTF-8 byte order mark, which
// some Windows editors put first, is no part of the first line: left there it would hide the
// first section header.
std::string LinesAsText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  const bool crEndsLines = bytes.find('\n') == npos;
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && crEndsLines) {
      text.push_back('\n');
      continue;
    }
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

// Lines arrive through a fixed 2000-character buffer: at most 1999 characters at once, ending
// just after an LF when one comes first. Each piece is classified and parsed on its own.
template <typename OnPiece>
void ForEachLinePiece(std::string_view text, OnPiece onPiece) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view window = text.substr(pos, IniFile::kMaxLinePiece);
    const std::size_t lf = window.find('\n');
    const std::size_t length = lf == npos ? window.size() : lf + 1;
    onPiece(window.substr(0, length));
    pos += length;
  }
}

// Classification looks past spaces only, so a tab-indented "[section]" is not a header.
LineKind Classify(std::string_view line) {
  const std::size_t p = line.find_first_not_of(' ');
  if (p == npos) return LineKind::Other;  // empty, or nothing but spaces
  const char c = line[p];
  if (c == ';' || c == '#') return LineKind::Comment;
  if (c == '[' && p + 1 < line.size()) return LineKind::Section;
  if (c == '\n' || (c == '\r' && p + 2 == line.size())) return LineKind::Blank;
  if (line.find('=', p) != npos) return LineKind::KeyValue;
  return LineKind::Other;
}

std::string_view UpTo(std::string_view text, std::string_view stops) {
  return text.substr(0, text.find_first_of(stops));
}

std::string SectionName(std::string_view rest) {
  rest.remove_prefix(1);  // '['
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == npos) return {};
  // A header without its ']' still ends at its line break.
  const std::string_view name = UpTo(rest.substr(start), " \t]\n");
  return std::string(name.substr(0, IniFile::kMaxSectionName));
}

void SplitKeyValue(std::string_view rest, std::string& key, std::string& value) {
  const std::size_t keyEnd = std::min(rest.find_first_of("\t=: "), rest.size());
  key.assign(rest.substr(0, keyEnd));
  const std::size_t valueStart = rest.find_first_not_of(" \t=:", keyEnd);
  if (valueStart == npos) {
    value.clear();
    return;
  }
  std::string_view v = UpTo(rest.substr(valueStart), ";#\r\n");
  const std::size_t last = v.find_last_not_of(' ');
  v = last == npos ? std::string_view{} : v.substr(0, last + 1);
  value.assign(v);
}

}  // namespace

IniFile IniFile::Parse(std::string_view content, std::string path) {
  IniFile ini;
  ini.path_ = std::move(path);
  const std::string text = LinesAsText(content);
  std::string section;
  ForEachLinePiece(text, [&](std::string_view line) {
    const LineKind kind = Classify(line);
    if (kind == LineKind::Other) return;
    const std::size_t p = line.find_first_not_of(" \t");
    const std::string_view rest = p == npos ? std::string_view{} : line.substr(p);
    IniEntry entry;
    entry.kind = kind;
    switch (kind) {
      case LineKind::Section:
        section = SectionName(rest);
        entry.section = section;
        break;
      case LineKind::KeyValue:
        entry.section = section;
        SplitKeyValue(rest, entry.key, entry.text);
        break;
      case LineKind::Blank:
      case LineKind::Comment:
        entry.section = section;
        entry.text.assign(UpTo(rest, "\t\n"));
        break;
      case LineKind::Other:
        break;
    }
    ini.entries_.push_back(std::move(entry));
  });
  return ini;
}

std::optional<IniFile> IniFile::Open(const std::string& path, bool create) {
  if (create && !EnsureFileExists(path)) return std::nullopt;
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uintmax_t>(st.st_size) > kMaxFileBytes) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<std::size_t>(n));
      if (bytes.size() > kMaxFileBytes) break;  // grew while being read
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ::close(fd);  // an I/O error: unreadable
      return std::nullopt;
    }
  }
  ::close(fd);
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  return Parse(bytes, path);
}

std::string IniFile::GetValue(std::string_view section, std::string_view key) const {
  for (const IniEntry& entry : entries_) {
    if (entry.kind == LineKind::KeyValue && entry.section == section && entry.key == key) {
      return entry.text;
    }
  }
  return {};
}

bool EnsureFileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return true;
  // O_EXCL: if someone else creates the file meanwhile, theirs is kept as it is.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  return errno == EEXIST;
}

std::optional<long> ReadLeadingInt(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (negative) {
      value = value < (LONG_MIN + digit) / 10 ? LONG_MIN : value * 10 - digit;
    } else {
      value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
    }
  }
  return value;
}

}  // namespace veyra

// The reader of "config.ini": a line-oriented INI parser with the quirks the file's users rely on.
// Nothing is ever written back; each reader opens, looks up what it needs and drops the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veyra {

enum class LineKind { Section = 0, KeyValue = 1, Blank = 2, Comment = 3, Other = 4 };

// One stored line. Section: `section` is the header's name. KeyValue: `section` is the section the
// line belongs to, `key` and `text` the key and its value. Blank and Comment: `text` is the line's
// text up to its first tab. Lines of kind Other are never stored.
struct IniEntry {
  LineKind kind = LineKind::Other;
  std::string section, key, text;

  bool operator==(const IniEntry&) const = default;
};

class IniFile {
 public:
  // Longest line piece the reader takes at once; longer lines are cut into pieces of this size,
  // each read as a line of its own.
  static constexpr std::size_t kMaxLinePiece = 1999;
  // Longer section names are cut to this length.
  static constexpr std::size_t kMaxSectionName = 63;
  // A real config.ini is about 1 KB; anything past this is not one, and is refused whole rather
  // than read into memory (a device or a runaway file would never end).
  static constexpr std::size_t kMaxFileBytes = 1 << 20;

  // nullopt when the file cannot be read: missing, not a regular file (a FIFO would block, a
  // device never end), or larger than kMaxFileBytes. With create, EnsureFileExists runs first and
  // its failure also gives nullopt.
  static std::optional<IniFile> Open(const std::string& path, bool create);
  // The same rules applied to bytes already in memory, as they would stand in a file.
  static IniFile Parse(std::string_view content, std::string path = {});

  // The value of the first KeyValue entry, in file order, with exactly this section and key;
  // "" when there is none.
  std::string GetValue(std::string_view section, std::string_view key) const;

  const std::vector<IniEntry>& Entries() const { return entries_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::vector<IniEntry> entries_;
};

// True when path exists or could be created as an empty file. An existing file is never touched.
bool EnsureFileExists(const std::string& path);

// atoi-like: an optional sign and the leading decimal digits, saturated to the range of long;
// nullopt when the text does not start so (no whitespace is skipped).
std::optional<long> ReadLeadingInt(std::string_view text);

}  // namespace veyra

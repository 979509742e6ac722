#include "backup/BackupParser.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "backup/BackupFields.h"
#include "backup/BackupKeys.h"
#include "backup/FieldParsers.h"
#include "link/DecimalText.h"
#include "link/PrintableText.h"
#include "link/TextParts.h"

namespace veyra::backup {

namespace {

// A section header or a field, with the number of its line.
struct Entry {
  int line = 0;
  bool section = false;
  std::string name, value;  // a section's name, or a field's name and value
};

struct Lines {
  std::vector<Entry> entries;
  int count = 0;          // lines in the text
  int malformedLine = 0;  // the first that is neither a section nor a field; 0 for none
};

struct Refusal {
  int line = 0;
  std::string reason;
};
using Refused = std::optional<Refusal>;

Lines ReadLines(std::string_view text) {
  Lines lines;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = Trim(text.substr(start, end - start), kLineBlanks);
    start = end + 1;
    ++lines.count;
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    Entry entry;
    entry.line = lines.count;
    if (line.front() == '[' && line.back() == ']') {
      entry.section = true;
      entry.name = std::string(Trim(line.substr(1, line.size() - 2), kLineBlanks));
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos && equals > 0) {
      entry.name = std::string(Trim(line.substr(0, equals), kLineBlanks));
      entry.value = std::string(Trim(line.substr(equals + 1), kLineBlanks));
    } else {
      if (!lines.malformedLine) lines.malformedLine = lines.count;
      continue;
    }
    lines.entries.push_back(std::move(entry));
  }
  return lines;
}

// The version decides how the rest is read: judged before anything else, even a malformed line.
Refused CheckVersion(const std::vector<Entry>& fields, BackupHeader& header) {
  for (const Entry& e : fields) {
    if (e.name != "version") continue;
    const std::optional<int> version = StrictDecimal(e.value, 0, 999, 4);
    if (version && *version > kBackupFormatVersion)
      return Refusal{e.line, "written in format version " + e.value + ", newer than this program reads (" +
                                 std::to_string(kBackupFormatVersion) + "); use a newer veyra-setup"};
    if (!version || *version != kBackupFormatVersion)
      return Refusal{e.line, "unknown format version '" + e.value + "'; this program reads version " +
                                 std::to_string(kBackupFormatVersion)};
    header.version = *version;
  }
  return std::nullopt;
}

// ISO 8601: at least the calendar date.
bool IsIsoDate(std::string_view text) {
  return text.size() >= 10 && StrictDecimal(text.substr(0, 4), 0, 9999, 4) && text[4] == '-' &&
         StrictDecimal(text.substr(5, 2), 1, 12, 2) && text[7] == '-' &&
         StrictDecimal(text.substr(8, 2), 1, 31, 2);
}

// The header's fields after the version: each once, program and date, and nothing else.
Refused ParseHeaderFields(const Entry& section, const std::vector<Entry>& fields, BackupHeader& header) {
  std::map<std::string, int, std::less<>> seen;
  for (const Entry& e : fields) {
    if (!seen.emplace(e.name, e.line).second) return Refusal{e.line, e.name + " given twice"};
    if (e.name == "program") {
      header.program = e.value;
    } else if (e.name == "date") {
      if (!IsIsoDate(e.value)) return Refusal{e.line, "date takes an ISO 8601 date, YYYY-MM-DDTHH:MM:SS"};
      header.date = e.value;
    } else if (e.name != "version") {
      return Refusal{e.line,
                     "unknown field '" + e.name + "'; [veyra-backup] holds version, program and date"};
    }
  }
  for (const char* name : {"version", "program", "date"})
    if (!seen.count(name))
      return Refusal{section.line, std::string("[veyra-backup] has no ") + name + " field"};
  return std::nullopt;
}

FieldVerdict ParseAreaField(Area area, const Entry& e, HostConfiguration& config) {
  switch (area) {
    case Area::Setup:
      return ParseSetupField(e.name, e.value, config.setup);
    case Area::Timers:
      return ParseTimerField(e.name, e.value, config);
    case Area::Phones:
      return ParsePhoneField(e.name, e.value, config);
    case Area::Devices:
      break;
  }
  return ParseDeviceField(e.name, e.value, config);
}

// One area's section: every field of it once, each value one it takes.
Refused ParseSection(Area area, const Entry& section, const std::vector<Entry>& fields,
                     HostConfiguration& config) {
  const Fields expected = AreaFields(HostConfiguration{}, area);
  std::map<std::string, int, std::less<>> seen;
  for (const Entry& e : fields) {
    const std::string where = "[" + section.name + "] " + e.name;
    if (!seen.emplace(CanonicalFieldName(area, e.name), e.line).second)
      return Refusal{e.line, where + " given twice"};
    const FieldVerdict verdict = ParseAreaField(area, e, config);
    if (verdict.kind == FieldVerdict::Kind::Unknown) {
      std::string names;
      for (const Field& field : expected) names += (names.empty() ? "" : ", ") + field.name;
      return Refusal{e.line, "unknown field '" + e.name + "'; [" + section.name + "] holds " + names};
    }
    if (verdict.kind == FieldVerdict::Kind::Refused)
      return Refusal{e.line, where + " '" + e.value + "': " + verdict.why};
  }
  for (const Field& field : expected)
    if (!seen.count(field.name))
      return Refusal{section.line, "[" + section.name + "] has no " + field.name + " field"};
  return std::nullopt;
}

// The fields after the section header at index `at`, up to the next header.
std::vector<Entry> FieldsAfter(const std::vector<Entry>& entries, std::size_t at) {
  std::vector<Entry> fields;
  for (std::size_t i = at + 1; i < entries.size() && !entries[i].section; ++i) fields.push_back(entries[i]);
  return fields;
}

// Every area's section once, in any order, and nothing else.
Refused ParseAreas(const Lines& lines, std::size_t first, HostConfiguration& config) {
  std::array<int, AllAreas.size()> sectionLine{};
  for (std::size_t at = first; at < lines.entries.size();) {
    const Entry& section = lines.entries[at];
    const std::optional<int> area = IndexOf(AreaNames, section.name);
    if (!area)
      return Refusal{section.line, "unknown section [" + section.name +
                                       "]; a backup holds [setup], [timers], [phones] and [devices]"};
    if (sectionLine[*area]) return Refusal{section.line, "[" + section.name + "] given twice"};
    sectionLine[*area] = section.line;
    const std::vector<Entry> fields = FieldsAfter(lines.entries, at);
    if (Refused refused = ParseSection(static_cast<Area>(*area), section, fields, config)) return refused;
    at += fields.size() + 1;
  }
  for (Area area : AllAreas) {
    if (!sectionLine[static_cast<int>(area)])
      return Refusal{
          std::max(lines.count, 1),
          "the file ends without a [" + std::string(AreaNames[static_cast<int>(area)]) + "] section"};
  }
  return std::nullopt;
}

// The header, then the areas; the configuration only when all of it is taken.
Refused ParseLines(const Lines& lines, BackupHeader& header, HostConfiguration& config) {
  const std::vector<Entry>& entries = lines.entries;
  if (entries.empty() || !entries[0].section || entries[0].name != kBackupHeaderSection) {
    const int line = entries.empty() ? std::max(lines.count, 1) : entries[0].line;
    return Refusal{line, "not a backup file: it starts with [" + std::string(kBackupHeaderSection) + "]"};
  }
  const std::vector<Entry> headerFields = FieldsAfter(entries, 0);
  if (Refused refused = CheckVersion(headerFields, header)) return refused;
  if (lines.malformedLine) return Refusal{lines.malformedLine, "not a [section] nor a NAME=VALUE line"};
  if (Refused refused = ParseHeaderFields(entries[0], headerFields, header)) return refused;
  return ParseAreas(lines, headerFields.size() + 1, config);
}

}  // namespace

BackupParse ParseBackupText(std::string_view text) {
  BackupParse result;
  HostConfiguration config;
  if (const Refused refused = ParseLines(ReadLines(text), result.header, config)) {
    result.line = refused->line;
    // A reason quotes the file: what a terminal would act on, or a NUL, arrives as text.
    result.reason = PrintableText(refused->reason);
    return result;
  }
  result.config = std::move(config);
  return result;
}

}  // namespace veyra::backup

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/IniInvariants.h"
#include "link/Config.h"
#include "link/IniFile.h"
#include "tests/common/ScratchDir.h"

namespace veyra {

// Readable failure output for entry lists (internal: other test files may print entries too).
[[maybe_unused]] static void PrintTo(const IniEntry& e, std::ostream* os) {
  *os << "{kind " << static_cast<int>(e.kind) << ", section " << ::testing::PrintToString(e.section)
      << ", key " << ::testing::PrintToString(e.key) << ", text " << ::testing::PrintToString(e.text) << "}";
}

namespace {

namespace fs = std::filesystem;

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

// ---------------------------------------------------------------------------------------------
// Look-ups: what a reader gets for one section and key out of a file's bytes.

TEST(IniLookup, GivesValueOfFirstMatchingKey) {
  const std::string kDefault = DefaultConfigText();
  const struct {
    const char* name;
    std::string content, section, key, expected;
  } rows[] = {
      // The default file, as start-up writes it.
      {"TooltipKeepsSpacesBeforeEquals", kDefault, "main", "m_lsjl", "Check alarm history"},
      {"TooltipKeepsSpaceAfterEquals", kDefault, "main", "m_bjdhsz", "Setting Alarm Telephone Numbers"},
      {"AckEntryReadInFull", kDefault, "command_number", "09", "AA 00 09 09 55"},
      {"LastLineWithoutBreakLost", kDefault, "command_number", "32", "AA 00 32 32 55"},
      {"CommandKeyMatchedCaseBlind", kDefault, "command_number", "0a", ""},
      {"SectionMatchedCaseBlind", kDefault, "Timeout", "times", ""},
      // Remarks and line ends.
      {"CommentLineTakenAsKey", "[timeout]\n  ; times=9\n;times=8\ntimes=4\n", "timeout", "times", "4"},
      {"RemarkAfterValueKept", "[timeout]\ntimes=5 ; remark\n", "timeout", "times", "5"},
      {"HashRemarkKept", "[t]\nk=ab#cd\n", "t", "k", "ab"},
      {"SpacesAndCrBeforeCrLfKept", "[t]\nk=abc   \r\r\nj=1\n", "t", "k", "abc"},
      {"TrailingTabsDropped", "[t]\nk=abc\t\n", "t", "k", "abc\t"},
      {"CrOnlyFileReadAsOneLine", "[t]\rk=v\rj=w", "t", "k", "v"},
      {"LoneCrDoesNotEndValue", "[t]\nk=v\rj=w\n", "t", "k", "v"},
      // Duplicates and section headers.
      {"LaterDuplicateKeyWins", "[t]\nk=1\nk=2\n", "t", "k", "1"},
      {"RepeatedSectionLosesFirstPart", "[a]\nx=1\n[b]\ny=2\n[a]\nz=3\n", "a", "x", "1"},
      {"RepeatedSectionLosesSecondPart", "[a]\nx=1\n[b]\ny=2\n[a]\nz=3\n", "a", "z", "3"},
      {"TabIndentedHeaderRecognised", "[a]\n\t[b]\nk=1\n", "a", "k", "1"},
      {"SpaceIndentedHeaderIgnored", "[a]\n  [b]\nk=1\n", "b", "k", "1"},
      {"KeysBeforeFirstHeaderLost", "k=1\n[a]\n", "", "k", "1"},
      {"HeaderWithoutBracketIgnored", "[main\nk=1\n", "main", "k", "1"},
      {"HeaderNameNotCutAtSpace", "[ main  extra]\nk=1\n", "main", "k", "1"},
      {"LongHeaderNameNotCut", "[" + Repeat('s', 70) + "]\nk=1\n", Repeat('s', 63), "k", "1"},
      // Byte order mark: some Windows editors write one before the first line.
      {"BomHidesTheFirstHeader", "\xEF\xBB\xBF[main]\nk=v\n", "main", "k", "v"},
      {"BomInsideTheFileDropped", "[main]\n\xEF\xBB\xBFk=v\n", "main", "\xEF\xBB\xBFk", "v"},
      // Separators.
      {"TabsAroundKeyAndEqualsKept", "[t]\n\tk\t=\tv\n", "t", "k", "v"},
      {"ColonNotSeparatorWithEquals", "[t]\nurl:http://h:80/x=1\n", "t", "url", "http://h:80/x=1"},
      {"ColonAloneMakesKeyValue", "[t]\nk:v\n", "t", "k", ""},
      {"LeadingEqualsAndColonsKept", "[t]\nk==:=v\n", "t", "k", "v"},
      // The 2000-character read buffer.
      {"LineOf1999TruncatedEarly", "[t]\nk=" + Repeat('v', 1996) + "\n", "t", "k", Repeat('v', 1996)},
      {"LongValueNotCutAt1999", "[t]\nk=" + Repeat('v', 2100) + "\n", "t", "k", Repeat('v', 1997)},
      {"LineAfterLongLineLost", "[t]\nk=" + Repeat('v', 2100) + "\nj=1\n", "t", "j", "1"},
      {"SecondPieceNotReadAsLine", "[t]\nk=" + Repeat('v', 1997) + "q=7\n", "t", "q", "7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const IniFile ini = IniFile::Parse(row.content);
    EXPECT_EQ(ini.GetValue(row.section, row.key), row.expected);
    EXPECT_EQ(fuzz::IniInvariantViolation(ini), "");
  }
}

// ---------------------------------------------------------------------------------------------
// Stored entries: which lines are kept, and with what text.

TEST(IniEntries, StoresTheLinesTheRulesKeep) {
  constexpr LineKind S = LineKind::Section, KV = LineKind::KeyValue, B = LineKind::Blank,
                     C = LineKind::Comment;
  const struct {
    const char* name;
    std::string content;
    std::vector<IniEntry> expected;
  } rows[] = {
      {"BlankOrSpacesOnlyLineDropped",
       "[a]\n\n   \n",
       {{S, "a", "", ""}, {B, "a", "", ""}, {B, "a", "", ""}}},
      {"SpacesAtEndOfFileStored", "[a]\n   ", {{S, "a", "", ""}}},
      {"TabOnlyLineOrTextWithoutEqualsStored", "\t\nhello world\n[a]\n", {{S, "a", "", ""}}},
      {"CommentTextNotCutAtTab", "[a]\n  ; note\tmore\n", {{S, "a", "", ""}, {C, "a", "", "; note"}}},
      {"CrBeforeCrLfNotBlank", "\r\r\n", {{B, "", "", "\r"}}},
      {"LoneBracketAtEndTakenAsHeader", "[a]\n[", {{S, "a", "", ""}}},
      {"EmptyHeaderIgnored", "[a]\n[]\nk=1", {{S, "a", "", ""}, {S, "", "", ""}, {KV, "", "k", "1"}}},
      {"EmptyKeyDropped", "=v\n", {{KV, "", "", "v"}}},
      // The second piece, "c\n", has no '=' and is dropped.
      {"LongCommentNotSplit", "#" + Repeat('c', 1999) + "\n", {{C, "", "", "#" + Repeat('c', 1998)}}},
  };
  for (const auto& row : rows) EXPECT_EQ(IniFile::Parse(row.content).Entries(), row.expected) << row.name;
}

// ---------------------------------------------------------------------------------------------
// Files on disk.

using test::ScratchDir;

TEST(IniFileOpen, ReadsTheFileAsParseDoesCreatesOnlyAMissingOneAndFailsWhereItCannot) {
  ScratchDir dir;
  const std::string path = dir.Write("config.ini", DefaultConfigText());
  const auto ini = IniFile::Open(path, true);
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ini->Path(), path);
  EXPECT_EQ(ini->Entries(), IniFile::Parse(DefaultConfigText()).Entries());
  EXPECT_EQ(fs::file_size(path), 905u) << "create rewrote an existing file";

  EXPECT_FALSE(IniFile::Open(dir.Path("absent.ini"), false).has_value());
  EXPECT_FALSE(fs::exists(dir.Path("absent.ini"))) << "opening without create made a file";
  const auto created = IniFile::Open(dir.Path("new.ini"), true);
  ASSERT_TRUE(created.has_value());
  EXPECT_TRUE(created->Entries().empty());
  EXPECT_EQ(created->GetValue("timeout", "times"), "");
  EXPECT_EQ(fs::file_size(dir.Path("new.ini")), 0u);

  const std::string file = dir.Write("plain", "x");
  EXPECT_FALSE(EnsureFileExists(file + "/config.ini"));
  EXPECT_FALSE(IniFile::Open(file + "/config.ini", true).has_value());
  EXPECT_FALSE(IniFile::Open(dir.Path(""), false).has_value());  // a directory has no lines
  EXPECT_FALSE(EnsureFileExists(""));
}

TEST(IniFileOpen, ReadsRegularFilesUpToTheSizeBoundOnly) {
  test::ScratchDir dir;
  const std::string line(IniFile::kMaxFileBytes - 20, 'x');
  struct Row {
    const char* fault;
    std::string path;
    bool opens;
  };
  std::vector<Row> rows = {
      {"a file past the bound is read whole",
       dir.Write("large.ini", std::string(IniFile::kMaxFileBytes + 1, ';')), false},
      {"a 1 MB line within the bound refused", dir.Write("long.ini", "[timeout]\ntimes=4\n;" + line), true},
  };
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  rows.push_back({"a device that never ends is read until memory runs out", "/dev/zero", false});
  rows.push_back({"a FIFO without a writer blocks for ever", dir.Path("fifo"), false});
#endif
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const auto ini = IniFile::Open(row.path, false);
    ASSERT_EQ(ini.has_value(), row.opens);
    if (ini) {
      EXPECT_EQ(ini->GetValue("timeout", "times"), "4");
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The fuzzer's seeds replay here, so every build re-runs them.

TEST(IniSeedCorpus, EverySeedParsesIntoEntriesOfLawfulShape) {
  const fs::path seeds = fs::path(VEYRA_SOURCE_DIR) / "fuzz" / "corpus" / "ini";
  auto bytes = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(bytes(seeds / "default_config.ini"), DefaultConfigText());
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(seeds)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++count;
    const IniFile ini = IniFile::Parse(bytes(entry.path()));
    EXPECT_EQ(fuzz::IniInvariantViolation(ini), "");
    const TimeoutSettings timeouts = ReadTimeouts(ini);
    EXPECT_GE(timeouts.times, 0);
    EXPECT_GE(timeouts.waittime, 0);
  }
  EXPECT_GE(count, 5u);
}

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
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
using namespace std::string_literals;

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

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

// What opens is read as Parse reads the file's bytes; create makes only a missing file, empty.
TEST(IniFileOpen, ReadsRegularFilesUpToTheSizeBoundCreatesOnlyAMissingOneAndFailsWhereItCannot) {
  ScratchDir dir;
  const std::string plain = dir.Write("plain", "x"), line(IniFile::kMaxFileBytes - 20, 'x');
  struct Row {
    const char* expect;
    std::string path;
    bool create, opens;
    std::string times = {};  // as read from a file that opens
  };
  std::vector<Row> rows = {
      // clang-format off
      {"create leaves an existing file as it is", dir.Write("config.ini", DefaultConfigText()), true, true, "3"},
      {"opening without create makes no file", dir.Path("absent.ini"), false, false},
      {"a missing file is created empty", dir.Path("new.ini"), true, true, ""},
      {"a file under a plain file does not open", plain + "/config.ini", true, false},
      {"a directory does not open", dir.Path(""), false, false},
      {"a file past the bound does not open", dir.Write("large.ini", std::string(IniFile::kMaxFileBytes + 1, ';')),
       false, false},
      {"a 1 MB line within the bound is read", dir.Write("long.ini", "[timeout]\ntimes=4\n;" + line), false, true, "4"},
      // clang-format on
  };
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  rows.push_back({"a device that never ends does not open", "/dev/zero", false, false});
  rows.push_back({"a FIFO without a writer does not open", dir.Path("fifo"), false, false});
#endif
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const bool existed = fs::exists(row.path);
    const std::string before = fs::is_regular_file(row.path) ? ReadAll(row.path) : "";
    const auto ini = IniFile::Open(row.path, row.create);
    ASSERT_EQ(ini.has_value(), row.opens);
    EXPECT_EQ(fs::exists(row.path), existed || row.opens);
    if (ini) {
      EXPECT_EQ(ini->Path(), row.path);
      EXPECT_EQ(ReadAll(row.path), before);
      EXPECT_EQ(ini->Entries(), IniFile::Parse(before).Entries());
      EXPECT_EQ(ini->GetValue("timeout", "times"), row.times);
    }
  }
  EXPECT_FALSE(EnsureFileExists(plain + "/config.ini"));
  EXPECT_FALSE(EnsureFileExists(""));
}

// ---------------------------------------------------------------------------------------------
// config.ini as users and their editors write and damage it, read from disk as every exchange reads
// it: what can be read still counts, what cannot falls back to the default file's value, nothing
// crashes.

// Bytes no editor writes: every value 0 to 255, in an order that repeats no pattern.
std::string BinaryJunk(std::size_t size) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>(state >> 24));
  }
  return bytes;
}

TEST(ConfigJunk, ReadableKeysCountAndTheRestKeepTheirDefaults) {
  const std::string kAck = "AA 00 09 09 55", kOwnAck = "AA 00 09 08 55", kHuge(23, '9');
  const std::string kLineOfMegabyte =
      "[timeout]\ntimes=5\nk=" + std::string((1 << 20) - 40, 'v') + "\nwaittime=200\n";
  const struct {
    const char* expect;
    std::string bytes;
    int times, waittime;
    std::string ack09;  // what a reply to command 09 is compared with
  } rows[] = {
      // clang-format off
      {"binary junk leaves the defaults", BinaryJunk(64 * 1024), 3, 1000, kAck},
      {"the keys after binary junk are read", BinaryJunk(4096) + "\n[timeout]\ntimes=5\nwaittime=200\n", 5, 200, kAck},
      {"the keys around a megabyte line are read", kLineOfMegabyte, 5, 200, kAck},
      {"the first section after a byte order mark is read",
       "\xEF\xBB\xBF[timeout]\r\ntimes=5\r\nwaittime=200\r\n[command_number]\r\n09=" + kOwnAck + "\r\n", 5, 200, kOwnAck},
      {"CR-only line ends end lines",
       "[timeout]\rtimes=5\rwaittime=200\r[command_number]\r09=" + kOwnAck + "\r", 5, 200, kOwnAck},
      {"sections without keys leave the defaults", "[main]\n[timeout]\n[command_number]\n", 3, 1000, kAck},
      {"keys outside any section are ignored", "times=5\nwaittime=200\n09=" + kOwnAck + "\n[timeout]\n", 3, 1000, kAck},
      {"blanks and tabs around values are read past",
       "[timeout]\n  times \t=\t 5 \t\n\twaittime = 200   \n[command_number]\n09 =  " + kOwnAck + " \t\n", 5, 200, kOwnAck},
      {"a NUL byte does not end the file", "[timeout]\ntimes=5\n\0junk=1\nwait\0time=9\nwaittime=200\0\n"s, 5, 200, kAck},
      {"a NUL byte is no number", "[timeout]\ntimes=\0" "5\nwaittime=\0\n"s, 3, 1000, kAck},
      {"letters leave the defaults", "[timeout]\ntimes=abc\nwaittime=soon\n", 3, 1000, kAck},
      {"a negative count reads as 0, a negative wait as the default", "[timeout]\ntimes=-1\nwaittime=-5\n", 0, 1000, kAck},
      {"values past the bounds are cut to them", "[timeout]\ntimes=21\nwaittime=30001\n", 20, 30000, kAck},
      {"a huge count reads as the bound, a huge negative wait as the default", "[timeout]\ntimes=99999999999999999999\nwaittime=-99999999999999999999\n", 20, 1000, kAck},
      {"an empty file leaves the defaults", "", 3, 1000, kAck},
      {"times from another section are ignored", "[main]\ntimes=9\n[timeout]\nwaittime=10\n", 3, 10, kAck},
      {"a sign or text after the number is read past", "[timeout]\ntimes=+5 ; remark\nwaittime=250ms\n", 5, 250, kAck},
      {"an explicit zero stays zero", "[timeout]\ntimes=0\nwaittime=0\n", 0, 0, kAck},
      {"huge numbers are cut to the upper bounds", "[timeout]\ntimes=99999999999\nwaittime=4294967296\n", 20, 30000, kAck},
      {"a wait of decades is cut to the bound", "[timeout]\nwaittime=999999999999\n", 3, 30000, kAck},
      {"the bounds themselves are kept", "[timeout]\ntimes=20\nwaittime=30000\n", 20, 30000, kAck},
      {"a huge negative count reads as 0, a huge negative wait as the default", "[timeout]\ntimes=-" + kHuge + "\nwaittime=-" + kHuge + "\n", 0, 1000,
       kAck},
      {"an entry without hex pairs keeps the default acknowledgement", "[command_number]\n09=zz junk\n", 3, 1000, kAck},
      {"an empty entry keeps the default acknowledgement", "[command_number]\n09=\n", 3, 1000, kAck},
      // clang-format on
  };
  test::ScratchDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<IniFile> ini = IniFile::Open(dir.Write("config.ini", row.bytes), false);
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(ReadTimeouts(*ini), (TimeoutSettings{row.times, row.waittime}));
    EXPECT_EQ(FormatHex(ReadExpectedAck(*ini, "09")), row.ack09);
    EXPECT_EQ(fuzz::IniInvariantViolation(*ini), "");
  }
  // A key neither the file nor the default table lists has no rule to judge a reply by, so any
  // reply is taken.
  EXPECT_EQ(ReadExpectedAck(IniFile::Parse(""), "0C"), Bytes{});
}

// ---------------------------------------------------------------------------------------------
// The fuzzer's seeds replay here, so every build re-runs them.

TEST(IniSeedCorpus, EverySeedParsesIntoEntriesOfLawfulShape) {
  const fs::path seeds = fs::path(VEYRA_SOURCE_DIR) / "fuzz" / "corpus" / "ini";
  EXPECT_EQ(ReadAll(seeds / "default_config.ini"), DefaultConfigText());
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(seeds)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++count;
    const IniFile ini = IniFile::Parse(ReadAll(entry.path()));
    EXPECT_EQ(fuzz::IniInvariantViolation(ini), "");
    const TimeoutSettings timeouts = ReadTimeouts(ini);
    EXPECT_GE(timeouts.times, 0);
    EXPECT_GE(timeouts.waittime, 0);
  }
  EXPECT_GE(count, 5u);
}

}  // namespace
}  // namespace veyra

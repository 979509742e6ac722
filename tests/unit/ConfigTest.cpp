#include "link/Config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "link/IniFile.h"
#include "tests/common/ScratchDir.h"

namespace veyra {

[[maybe_unused]] static void PrintTo(const TimeoutSettings& t, std::ostream* os) {
  *os << "{times " << t.times << ", waittime " << t.waittime << "}";
}

namespace {

namespace fs = std::filesystem;

using testing::ScratchDir;

// Sets (or, with nullopt, unsets) an environment variable for one test and restores it after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---------------------------------------------------------------------------------------------
// The default content.

TEST(DefaultConfig, IsThe905BytesOf48CrLfJoinedLines) {
  const std::string& text = DefaultConfigText();
  EXPECT_EQ(text.size(), 905u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 47);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 47);
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_GT(at, 0u);
    EXPECT_EQ(text[at - 1], '\r') << "bare line feed at " << at;
  }
  EXPECT_EQ(text.rfind("[main]\r\nm_lsjl  = Check alarm history\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nm_bjdhsz= Setting Alarm Telephone Numbers\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nm_dsbcf = Setting Timed Arm/Disarm\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n[timeout]\r\ntimes=3\r\nwaittime=1000\r\n[command_number]\r\n"
                      "01=AA 00 01 FF 55\r\n04=AA 00 04 04 55\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n0F=AA 00 0F 0F 55\r\n11=AA 00 11 11 55\r\n"), std::string::npos);
  const std::string last = "\r\n31=AA 00 31 31 55\r\n32=AA 00 32 32 55";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST(DefaultConfig, ReadsBackAsEveryLineStored) {
  const IniFile ini = IniFile::Parse(DefaultConfigText());
  EXPECT_EQ(ini.Entries().size(), 48u);
  EXPECT_EQ(ini.GetValue("main", "m_xtsj"), "Upgrade");
  EXPECT_EQ(ini.GetValue("transcolor", "g"), "255");
  EXPECT_EQ(ini.GetValue("command_number", "01"), "AA 00 01 FF 55");
  EXPECT_EQ(ini.GetValue("command_number", "0A"), "AA 00 0A 0A 55");
  EXPECT_EQ(ReadTimeouts(ini), (TimeoutSettings{3, 1000}));
}

// ---------------------------------------------------------------------------------------------
// The location rule.

struct PathRow {
  const char* name;
  ConfigPathInputs in;
  std::string expected;
};

std::ostream& operator<<(std::ostream& os, const PathRow& row) { return os << row.name; }

const PathRow kPathRows[] = {
    {"OverrideIgnored", {"/t/my.ini", "/opt/veyra/bin", true, "/x", "/home/u"}, "/t/my.ini"},
    {"UsableExeDirPassedOver", {"", "/opt/veyra/bin", true, "/x", "/home/u"},
     "/opt/veyra/bin/config.ini"},
    {"XdgConfigHomeIgnored", {"", "/usr/bin", false, "/x/cfg", "/home/u"},
     "/x/cfg/veyra-setup/config.ini"},
    {"HomeNotDefaultForXdg", {"", "/usr/bin", false, "", "/home/u"},
     "/home/u/.config/veyra-setup/config.ini"},
    {"RelativeXdgConfigHomeTrusted", {"", "/usr/bin", false, "rel/cfg", "/home/u"},
     "/home/u/.config/veyra-setup/config.ini"},
    {"UnknownExeDirUsed", {"", "", true, "", "/home/u"}, "/home/u/.config/veyra-setup/config.ini"},
};

class ConfigPathRule : public ::testing::TestWithParam<PathRow> {};

TEST_P(ConfigPathRule, PicksOneLocationForWritingAndReading) {
  EXPECT_EQ(ResolveConfigPath(GetParam().in), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigPathRule, ::testing::ValuesIn(kPathRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigPath, EnvironmentOverrideIsTakenAsTheFullPath) {
  ScopedEnv env("VEYRA_CONFIG_PATH", "/somewhere/else.ini");
  EXPECT_EQ(GetConfigPath(), "/somewhere/else.ini");
}

TEST(ConfigPath, WithoutOverrideAWritableExecutableDirectoryIsUsed) {
  ScopedEnv env("VEYRA_CONFIG_PATH", std::string());  // empty counts as unset
  const fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
  if (::access(exeDir.c_str(), W_OK) != 0) GTEST_SKIP() << "test binary's directory not writable";
  EXPECT_EQ(GetConfigPath(), (exeDir / "config.ini").string());
}

// ---------------------------------------------------------------------------------------------
// Writing the default file.

TEST(EnsureDefaultConfig, CreatesTheFileOnceAndThenLeavesIt) {
  ScratchDir dir;
  const std::string path = dir.Path("config.ini");
  ScopedEnv env("VEYRA_CONFIG_PATH", path);
  EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Created);
  EXPECT_EQ(ReadBytes(path), DefaultConfigText());
  EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Existed);
  EXPECT_EQ(ReadBytes(path), DefaultConfigText());
  const auto ini = IniFile::Open(GetConfigPath(), true);
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ReadTimeouts(*ini), (TimeoutSettings{3, 1000}));
  EXPECT_EQ(ini->GetValue("command_number", "32"), "AA 00 32 32 55");
}

TEST(EnsureDefaultConfig, LeavesAnExistingFileUntouched) {
  ScratchDir dir;
  const std::string path = dir.Path("config.ini");
  std::ofstream(path, std::ios::binary) << "[timeout]\r\ntimes=9\r\n";
  ScopedEnv env("VEYRA_CONFIG_PATH", path);
  EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Existed);
  EXPECT_EQ(ReadBytes(path), "[timeout]\r\ntimes=9\r\n");
}

TEST(EnsureDefaultConfig, LeavesAnEmptyFileEmpty) {
  // An empty file opens for reading: every key reads as missing, and nothing is rewritten.
  ScratchDir dir;
  const std::string path = dir.Path("config.ini");
  std::ofstream(path, std::ios::binary).flush();
  ScopedEnv env("VEYRA_CONFIG_PATH", path);
  EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Existed);
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(EnsureDefaultConfig, CreatesMissingDirectories) {
  ScratchDir dir;
  const std::string path = dir.Path("xdg/veyra-setup/config.ini");
  ScopedEnv env("VEYRA_CONFIG_PATH", path);
  EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Created);
  EXPECT_EQ(ReadBytes(path), DefaultConfigText());
}

TEST(EnsureDefaultConfig, FailsWhereNoFileCanBeMade) {
  ScratchDir dir;
  const std::string plain = dir.Path("plain");
  std::ofstream(plain) << "x";
  {
    ScopedEnv env("VEYRA_CONFIG_PATH", plain + "/config.ini");  // under a regular file
    EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Failed);
  }
  {
    ScopedEnv env("VEYRA_CONFIG_PATH", plain + "/sub/config.ini");
    EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Failed);
  }
  fs::create_directory(dir.Path("adir"));
  {
    ScopedEnv env("VEYRA_CONFIG_PATH", dir.Path("adir"));  // a directory is not a readable file
    EXPECT_EQ(EnsureDefaultConfig(), DefaultConfigResult::Failed);
    EXPECT_TRUE(fs::is_directory(dir.Path("adir")));
  }
  EXPECT_EQ(ReadBytes(plain), "x");
}

// ---------------------------------------------------------------------------------------------
// [timeout] as every command exchange reads it.

struct TimeoutRow {
  const char* name;
  std::string content;
  TimeoutSettings expected;
};

std::ostream& operator<<(std::ostream& os, const TimeoutRow& row) { return os << row.name; }

const TimeoutRow kTimeoutRows[] = {
    {"ExplicitValuesIgnored", "[timeout]\ntimes=5\nwaittime=250\n", {5, 250}},
    {"MissingSectionSendsNothing", "[main]\nm_lsjl=x\n", {3, 1000}},
    {"EmptyFileSendsNothing", "", {3, 1000}},
    {"EmptyValuesSendNothing", "[timeout]\ntimes=\nwaittime=\n", {3, 1000}},
    {"TextValuesSendNothing", "[timeout]\ntimes=abc\nwaittime=soon\n", {3, 1000}},
    {"ExplicitZeroTimesReplaced", "[timeout]\ntimes=0\n", {0, 1000}},
    {"ZeroWaittimeReplaced", "[timeout]\nwaittime=0\n", {3, 0}},
    {"NegativeTimesKept", "[timeout]\ntimes=-2\n", {0, 1000}},
    {"NegativeWaittimeUnbounded", "[timeout]\nwaittime=-5\n", {3, 1000}},
    {"RemarkAfterTimesMisread", "[timeout]\ntimes=5 ; remark\n", {5, 1000}},
    {"UnitAfterWaittimeRejected", "[timeout]\nwaittime=250ms\n", {3, 250}},
    {"HugeTimesWrapsNegative", "[timeout]\ntimes=99999999999\n", {INT_MAX, 1000}},
    {"HugeWaittimeWrapsNegative", "[timeout]\nwaittime=4294967296\n", {3, INT_MAX}},
    {"CommentedTimesRead", "[timeout]\n;times=9\n", {3, 1000}},
    {"TimesFromOtherSectionRead", "[main]\ntimes=9\n[timeout]\nwaittime=10\n", {3, 10}},
    {"CrLfFileMisread", "[timeout]\r\ntimes=4\r\nwaittime=700\r\n", {4, 700}},
};

class Timeouts : public ::testing::TestWithParam<TimeoutRow> {};

TEST_P(Timeouts, ReadWithDefaultsForWhatIsMissing) {
  EXPECT_EQ(ReadTimeouts(IniFile::Parse(GetParam().content)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, Timeouts, ::testing::ValuesIn(kTimeoutRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veyra

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "link/Config.h"
#include "link/IniFile.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The content itself is pinned byte for byte by the INI fuzzer's seed "default_config.ini".
TEST(DefaultConfig, IsThe905BytesOf48CrLfJoinedLinesAndReadsBackWhole) {
  const std::string& text = DefaultConfigText();
  EXPECT_EQ(text.size(), 905u);
  std::string bare = text;  // with every CR LF taken out, no CR or LF may be left
  for (auto at = bare.find("\r\n"); at != std::string::npos; at = bare.find("\r\n", at)) bare.erase(at, 2);
  EXPECT_EQ(text.size() - bare.size(), 2u * 47);
  EXPECT_EQ(bare.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(text.back(), '5') << "a line break after the last line";

  const IniFile ini = IniFile::Parse(text);
  EXPECT_EQ(ini.Entries().size(), 48u);
  EXPECT_EQ(ReadTimeouts(ini), (TimeoutSettings{3, 1000}));
}

TEST(ConfigPathRule, PicksOneLocationForWritingAndReading) {
  const struct {
    const char* name;
    ConfigPathInputs in;
    std::string expected;
  } rows[] = {
      // clang-format off
      {"OverrideIgnored", {"/t/my.ini", "/opt/veyra/bin", true, "/x", "/home/u", ""}, "/t/my.ini"},
      {"UsableExeDirPassedOver", {"", "/opt/veyra/bin", true, "/x", "/home/u", ""}, "/opt/veyra/bin/config.ini"},
      {"XdgConfigHomeIgnored", {"", "/usr/bin", false, "/x/cfg", "/home/u", ""}, "/x/cfg/veyra-setup/config.ini"},
      {"HomeNotDefaultForXdg", {"", "/usr/bin", false, "", "/home/u", ""}, "/home/u/.config/veyra-setup/config.ini"},
      {"RelativeXdgConfigHomeTrusted", {"", "/usr/bin", false, "rel/cfg", "/home/u", ""},
       "/home/u/.config/veyra-setup/config.ini"},
      {"UnknownExeDirUsed", {"", "", true, "", "/home/u", ""}, "/home/u/.config/veyra-setup/config.ini"},
      // clang-format on
  };
  for (const auto& row : rows) EXPECT_EQ(ResolveConfigPath(row.in), row.expected) << row.name;
}

TEST(ConfigPathRule, AnInstalledProgramsDirectoryIsNoPortableCopy) {
  const struct {
    const char* dir;
    bool configThere, writable, usable;
  } rows[] = {
      {"/work/veyra/build/app", false, true, true},
      {"/work/veyra/build/app", false, false, false},
      {"/usr/bin", false, true, false},
      {"/home/u/.local/bin", false, true, false},
      {"/home/u/.local/bin/", false, true, false},
      {"/usr/bin", true, false, true},
      {"/media/stick/veyra", false, true, true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ExecutableDirectoryUsable(row.dir, row.configThere, row.writable), row.usable) << row.dir;
}

// The override itself is what every test environment sets.
TEST(ConfigPath, WithoutOverrideAWritableExecutableDirectoryIsUsed) {
  ScopedEnv env("VEYRA_CONFIG_PATH", "");  // empty counts as unset
  const fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
  if (::access(exeDir.c_str(), W_OK) != 0) GTEST_SKIP() << "test binary's directory not writable";
  EXPECT_EQ(GetConfigPath(), (exeDir / "config.ini").string());
}

// A second start-up must find what the first one wrote, and neither may rewrite a user's file.
TEST(EnsureDefaultConfig, WritesTheDefaultOnlyWhereNoFileCanBeRead) {
  using R = DefaultConfigResult;
  const std::string kDefault = DefaultConfigText(), kUsers = "[timeout]\r\ntimes=9\r\n";
  const struct {
    const char* name;
    const char* path;
    std::optional<std::string> existing;
    DefaultConfigResult result;
    std::string after;
  } rows[] = {
      {"MissingFileNotCreated", "config.ini", std::nullopt, R::Created, kDefault},
      {"MissingDirectoriesNotCreated", "xdg/veyra-setup/config.ini", std::nullopt, R::Created, kDefault},
      {"ExistingFileRewritten", "kept.ini", kUsers, R::Existed, kUsers},
      {"EmptyFileRewritten", "empty.ini", "", R::Existed, ""},
      {"UnderARegularFileReportedAsWritten", "plain/config.ini", std::nullopt, R::Failed, ""},
      {"DirectoryTakenForAFile", "adir", std::nullopt, R::Unreadable, ""},
      {"FifoBlocksTheStart", "fifo", std::nullopt, R::Unreadable, ""},
      {"OverLargeFileTakenOrReplaced", "large.ini", std::string(IniFile::kMaxFileBytes + 1, ';'),
       R::Unreadable, ""},
  };
  test::ScratchDir dir;
  dir.Write("plain", "x");
  fs::create_directory(dir.Path("adir"));
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.existing) dir.Write(row.path, *row.existing);
    ScopedEnv env("VEYRA_CONFIG_PATH", dir.Path(row.path));
    EXPECT_EQ(EnsureDefaultConfig(), row.result);
    const bool failed = row.result == R::Failed || row.result == R::Unreadable;
    EXPECT_EQ(EnsureDefaultConfig(), failed ? row.result : R::Existed);
    if (!failed) {
      EXPECT_EQ(ReadBytes(dir.Path(row.path)), row.after);
    }
  }
  EXPECT_EQ(ReadBytes(dir.Path("plain")), "x");
  EXPECT_TRUE(fs::is_directory(dir.Path("adir")));
}

}  // namespace
}  // namespace veyra

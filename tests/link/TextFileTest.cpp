// The whole-file write a backup goes through, against what can already be at its names: a link
// planted where the temporary file would go, the file itself a link, a directory, a FIFO.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "link/TextFile.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WriteFileAtomically, NeverWritesThroughWhatIsAlreadyThere) {
  const std::string kNew = "[veyra-backup]\nversion=1\n";
  const struct {
    const char* expect;
    std::function<void(const test::ScratchDir&)> prepare;  // makes what is at the names first
    bool written;                                          // FILE holds the new content as a regular file
    std::string error;                                     // found in the error when not written
    bool fileStaysALink;                                   // FILE is still the link it was made
  } rows[] = {
      {"a new file is written", [](const test::ScratchDir&) {}, true, "", false},
      {"an old file is replaced whole",
       [](const test::ScratchDir& d) { d.Write("host.ini", "old and longer\n"); }, true, "", false},
      {"a link planted at FILE.tmp is not followed",
       [](const test::ScratchDir& d) { fs::create_symlink(d.Path("victim"), d.Path("host.ini.tmp")); }, true,
       "", false},
      {"FILE a link to a file: refused, the link kept",
       [](const test::ScratchDir& d) { fs::create_symlink(d.Path("victim"), d.Path("host.ini")); }, false,
       "host.ini: it is a symbolic link; give the path of the file itself", true},
      {"FILE a dangling link: refused, the link kept",
       [](const test::ScratchDir& d) { fs::create_symlink(d.Path("nowhere"), d.Path("host.ini")); }, false,
       "it is a symbolic link", true},
      {"FILE a directory: refused as not a regular file",
       [](const test::ScratchDir& d) { fs::create_directory(d.Path("host.ini")); }, false,
       "host.ini: it exists and is not a regular file", false},
      {"FILE a FIFO: refused as not a regular file",
       [](const test::ScratchDir& d) { ASSERT_EQ(::mkfifo(d.Path("host.ini").c_str(), 0600), 0); }, false,
       "host.ini: it exists and is not a regular file", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const test::ScratchDir dir;
    dir.Write("victim", "the victim's own text\n");
    row.prepare(dir);
    const std::string file = dir.Path("host.ini");
    std::string error;
    const bool ok = WriteFileAtomically(file, kNew, error);
    EXPECT_EQ(ok, row.written) << error;
    EXPECT_EQ(ReadBytes(dir.Path("victim")), "the victim's own text\n");
    if (row.written) {
      EXPECT_EQ(error, "");
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
      EXPECT_EQ(ReadBytes(file), kNew);
    } else {
      EXPECT_NE(error.find(row.error), std::string::npos) << error;
      EXPECT_EQ(fs::is_symlink(file), row.fileStaysALink);
    }
    // No temporary file of ours is left beside it; a row's own host.ini.tmp is not one.
    for (const auto& entry : fs::directory_iterator(dir.Path(""))) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "host.ini" || name == "victim" || name == "host.ini.tmp") << name;
    }
  }
}

TEST(WriteFileAtomically, AMissingDirectoryIsNamedWithTheFile) {
  const test::ScratchDir dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.Path("missing/host.ini"), "x", error));
  EXPECT_EQ(error, "cannot write " + dir.Path("missing/host.ini") + ": No such file or directory");
}

}  // namespace
}  // namespace veyra

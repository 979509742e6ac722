// A private directory for one test's files, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace veyra::test {

class ScratchDir {
 public:
  // A fresh name each try: create_directory says false when another test took it first, which is
  // what mkdtemp does without being POSIX's alone.
  ScratchDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
      const auto path =
          std::filesystem::temp_directory_path() / ("veyra-scratch-" + std::to_string(random()));
      if (std::filesystem::create_directory(path)) root_ = path.generic_string();
    }
    if (root_.empty()) throw std::runtime_error("no scratch directory could be made");
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Path(const std::string& name) const { return root_ + "/" + name; }
  // Writes the bytes as the file's whole content; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }

 private:
  std::string root_;
};

}  // namespace veyra::test

#include "link/TextFile.h"

#include <cerrno>
#include <cstring>

#include "link/FileCompat.h"

namespace veyra {

namespace {

std::string Failure(const char* what, const std::string& path, int error) {
  return std::string(what) + " " + path + ": " + std::strerror(error);
}

}  // namespace

bool ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = Failure("cannot read", path, errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::size_t>(info.st_size) > maxBytes) {
    ::close(fd);
    error = "cannot read " + path + ": not a regular file of at most " + std::to_string(maxBytes) + " bytes";
    return false;
  }
  content.clear();
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = Failure("cannot read", path, errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > maxBytes) {
      ::close(fd);
      error = "cannot read " + path + ": longer than " + std::to_string(maxBytes) + " bytes";
      return false;
    }
  }
  ::close(fd);
  return true;
}

}  // namespace veyra

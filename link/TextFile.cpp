#include "link/TextFile.h"

#include <cerrno>
#include <cstring>

#include "link/FileCompat.h"

namespace veyra {

namespace {

std::string Failure(const char* what, const std::string& path, int error) {
  return std::string(what) + " " + path + ": " + std::strerror(error);
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  const std::string temporary = path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = Failure("cannot write", temporary, errno);
    return false;
  }
  std::size_t written = 0;
  int failure = 0;
  while (written < content.size() && !failure) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno != EINTR) failure = errno;
    if (n > 0) written += static_cast<std::size_t>(n);
  }
  if (!failure && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && !failure) failure = errno;
  if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
    error = Failure("cannot rename over", path, errno);
    ::unlink(temporary.c_str());
    return false;
  }
  if (failure) {
    error = Failure("cannot write", temporary, failure);
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk only with its directory.
  const int directory = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return true;
}

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

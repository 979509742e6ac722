// Writing a whole file atomically on POSIX: a fresh temporary file created exclusively beside it,
// then rename, which replaces the name and never writes through whatever the name pointed at.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "link/TextFile.h"

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

// "host.ini.3f9a01c2.tmp": a name nobody can have prepared for us, since the create below fails on
// any name that exists, a link included.
std::string TemporaryName(const std::string& path, std::mt19937& random) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  return path + suffix;
}

// Creates a new temporary file beside path; -1 with errno when none could be made.
int CreateTemporary(const std::string& path, std::string& temporary) {
  std::random_device device;
  std::mt19937 random(device() ^ static_cast<unsigned>(::getpid()) ^
                      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryName(path, random);
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Why path cannot be replaced by a new regular file; empty when it can (it is one, or missing).
std::string RefusalFor(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return {};
  if (S_ISLNK(info.st_mode))
    return "cannot write " + path + ": it is a symbolic link; give the path of the file itself";
  if (!S_ISREG(info.st_mode)) return "cannot write " + path + ": it exists and is not a regular file";
  return {};
}

bool WriteAll(int fd, std::string_view content) {
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  // A link found here is refused rather than followed. One planted after this look is safe too:
  // rename replaces the link itself and never writes to where it points.
  if (std::string refusal = RefusalFor(path); !refusal.empty()) {
    error = std::move(refusal);
    return false;
  }
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) {
    error = Failure("cannot write", path, errno);
    return false;
  }
  int failure = 0;
  if (!WriteAll(fd, content)) failure = errno;
  if (!failure && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && !failure) failure = errno;
  if (failure) {
    error = Failure("cannot write", path, failure);
    ::unlink(temporary.c_str());
    return false;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    error = Failure("cannot rename over", path, errno);
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

}  // namespace veyra

// The POSIX file calls link/ uses for small files (open, read, write, fstat, fsync), made to mean
// the same on Windows. Private to link/: included by its .cpp files only.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#include <time.h>

namespace veyra {

// write(2) that reports a pipe nobody reads any more as EPIPE instead of ending the program with
// SIGPIPE: the signal is blocked for this thread meanwhile, and the one the write raised is taken
// before it is unblocked. A SIGPIPE already pending from elsewhere is left for its owner.
inline ssize_t WriteWithoutSigpipe(int fd, const void* data, std::size_t size) {
  sigset_t pipeOnly, before, pending;
  sigemptyset(&pipeOnly);
  sigaddset(&pipeOnly, SIGPIPE);
  sigemptyset(&pending);
  sigpending(&pending);
  const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipeOnly, &before);
  const ssize_t written = ::write(fd, data, size);
  const int error = errno;
  if (written < 0 && error == EPIPE && !wasPending) {
    const timespec now{0, 0};
    sigtimedwait(&pipeOnly, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  errno = error;
  return written;
}

}  // namespace veyra
#else
#include <io.h>

// Every open in link/ asks for O_CLOEXEC; on Windows that is where binary mode goes too, since a
// text-mode descriptor would turn the CR LF of config.ini into LF on the way in and out.
#undef O_CLOEXEC
#define O_CLOEXEC (O_BINARY | O_NOINHERIT)
#ifndef O_NONBLOCK
#define O_NONBLOCK 0  // no FIFOs to wait for
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0  // no controlling terminal to acquire
#endif
#ifndef O_DIRECTORY
#define O_DIRECTORY 0  // opening a directory fails there, which skips its fsync
#endif
inline int fsync(int fd) { return _commit(fd); }

namespace veyra {

// No signal for a pipe without a reader there: the write fails with EPIPE (or EINVAL) anyway.
inline int WriteWithoutSigpipe(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, static_cast<unsigned>(size));
}

}  // namespace veyra
#endif

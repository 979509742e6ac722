// The POSIX file calls link/ uses for small files (open, read, write, fstat, fsync), made to mean
// the same on Windows. Private to link/: included by its .cpp files only.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>

// Every open in link/ asks for O_CLOEXEC; on Windows that is where binary mode goes too, since a
// text-mode descriptor would turn the CR LF of config.ini into LF on the way in and out.
#undef O_CLOEXEC
#define O_CLOEXEC (O_BINARY | O_NOINHERIT)
#ifndef O_NONBLOCK
#define O_NONBLOCK 0  // no FIFOs to wait for
#endif
#ifndef O_DIRECTORY
#define O_DIRECTORY 0  // opening a directory fails there, which skips its fsync
#endif
inline int fsync(int fd) { return _commit(fd); }
#endif

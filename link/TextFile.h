// Whole small text files: read with a bound, written so that no reader ever sees half of one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veyra {

// Writes PATH.tmp in the same directory, flushes it to the disk, renames it over path and flushes
// the directory: after a crash path holds either its old content or all of the new. False with
// error ("cannot write /x/y.tmp: No space left on device") when it fails; the temporary file is
// removed then and path is left as it was.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// The whole file, when it is a regular file of at most maxBytes; false with error otherwise.
bool ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& error);

}  // namespace veyra

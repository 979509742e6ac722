// Whole small text files: read with a bound, written so that no reader ever sees half of one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veyra {

// Writes a new temporary file beside path (PATH.XXXXXXXX.tmp, created exclusively, so a file or a
// link someone put at that name is never opened), flushes it to the disk, renames it over path
// and flushes the directory: after a crash path holds either its old content or all of the new.
// A path that is a symbolic link is refused ("cannot write /x/y: it is a symbolic link; give the
// path of the file itself"), as is one that exists and is no regular file: writing there would
// either replace the link with a file or write where a link points, and neither is what a person
// naming the link expects. False with error ("cannot write /x/y: No space left on device") when it
// fails; the temporary file is removed then and path is left as it was.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// The whole file, when it is a regular file of at most maxBytes; false with error otherwise.
bool ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& error);

}  // namespace veyra

#pragma once
// Reading and opening only regular files, for the settings file and the error log.

#include <cstddef>
#include <string>

namespace tessaro {

// True when the path names a regular file (also through a link) or nothing
// yet. A folder, a pipe or a device is never opened: reading or writing one
// could block, never end or fail in ways the caller cannot report.
bool IsRegularFileOrMissing(const std::string& path);

// Reads a regular file of at most maxBytes whole. False when the path names
// anything else, the file is larger, or it cannot be read to its end.
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string* bytes);

}  // namespace tessaro

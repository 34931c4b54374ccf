#pragma once
// Paths that are no regular file, for the settings file and the error log.

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ui/settings_file.h"

namespace tessaro::testing {

enum class Special {
  kFolder,
  kPipe,           // a named pipe nobody writes to or reads from
  kEndlessDevice,  // a link to /dev/zero
  kOversized,      // a regular file one byte past kMaxSettingsFile
};

// Makes it at path; false where the system has no such thing.
inline bool MakeSpecialFile(const std::string& path, Special kind) {
  std::error_code ec;
  switch (kind) {
    case Special::kFolder:
      return std::filesystem::create_directory(path, ec);
    case Special::kPipe:
#ifndef _WIN32
      return ::mkfifo(path.c_str(), 0600) == 0;
#else
      return false;
#endif
    case Special::kEndlessDevice:
      if (!std::filesystem::exists("/dev/zero", ec)) return false;
      std::filesystem::create_symlink("/dev/zero", path, ec);
      return !ec;
    case Special::kOversized: {
      { std::ofstream create(path, std::ios::binary); }
      std::filesystem::resize_file(path, kMaxSettingsFile + 1, ec);
      return !ec;
    }
  }
  return false;
}

}  // namespace tessaro::testing

#pragma once
// File-system paths from the UTF-8 byte strings the program keeps.

#include <filesystem>
#include <string>

namespace tessaro {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Creates the directory part of a file path if it is missing; errors are
// left to the following open, which reports them.
inline void EnsureParentDirectory(const std::string& filePath) {
  std::filesystem::path parent = PathFromUtf8(filePath).parent_path();
  if (parent.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
}

}  // namespace tessaro

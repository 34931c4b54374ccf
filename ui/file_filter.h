#pragma once
// File-dialog filters in the "Desc|pattern|Desc|pattern||" form.

#include <string>
#include <vector>

namespace tessaro {

struct FileFilterEntry {
  std::string description;  // "AAC File(*.aac)"
  std::string pattern;      // "*.aac", several separated by ';'
};

// Splits the filter at '|'; parsing stops at an empty description.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

inline constexpr const char kInputFilter[] =
    "AAC File(*.aac)|*.aac|WAV File(*.wav)|*.wav|All File(*.*)|*.*||";
inline constexpr const char kOutputFilter[] =
    "WAV File(*.wav)|*.wav|AAC File(*.aac)|*.aac|All File(*.*)|*.*||";

}  // namespace tessaro

#pragma once
// File-dialog filters in the "Desc|pattern|Desc|pattern||" form.

#include <string>
#include <vector>

#include "engine/language.h"

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
inline constexpr const char kInputFilterEn[] =
    "AAC files (*.aac)|*.aac|WAV files (*.wav)|*.wav|All files (*.*)|*.*||";
inline constexpr const char kOutputFilterEn[] =
    "WAV files (*.wav)|*.wav|AAC files (*.aac)|*.aac|All files (*.*)|*.*||";

// The browse buttons' filters in the dialog's language.
inline const char* InputFilter(Language language) {
  return language == Language::kEnglish ? kInputFilterEn : kInputFilter;
}
inline const char* OutputFilter(Language language) {
  return language == Language::kEnglish ? kOutputFilterEn : kOutputFilter;
}

}  // namespace tessaro

// File arguments on Windows: its shell hands "*" and "?" over as they are,
// so the program lists the matching files itself.
#include "cli/file_arguments.h"

#include <windows.h>

#include <algorithm>

#include "engine/file_io.h"
#include "engine/wide_text.h"

namespace tessaro::cli {
namespace {

// The regular files that pattern matches, each with the pattern's folder part.
std::vector<std::string> Matches(const std::string& pattern) {
  const size_t cut = pattern.find_last_of(kPathSeparators);
  const std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW(Widen(pattern, BadText::kRefuse).c_str(), FindExInfoBasic, &found,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      names.push_back(Narrow(found.cFileName, BadText::kReplace));
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = folder + name;
  return names;
}

}  // namespace

std::vector<std::string> ExpandFileArguments(std::vector<std::string> files) {
  std::vector<std::string> out;
  for (std::string& file : files) {
    std::vector<std::string> matches;
    if (file.find_first_of("*?") != std::string::npos) matches = Matches(file);
    if (matches.empty()) {
      out.push_back(std::move(file));
    } else {
      out.insert(out.end(), matches.begin(), matches.end());
    }
  }
  return out;
}

}  // namespace tessaro::cli

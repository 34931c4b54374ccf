// The arguments part of a raw Windows command line.
#include "ui/win32/raw_command_line.h"

namespace tessaro {

std::wstring_view RawArguments(std::wstring_view line) {
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    const size_t close = line.find(L'"', 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return line.substr(i);
}

}  // namespace tessaro

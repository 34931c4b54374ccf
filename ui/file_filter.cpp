// Splitting a file-dialog filter into its entries.
#include "ui/file_filter.h"

namespace tessaro {

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
  std::vector<FileFilterEntry> entries;
  size_t pos = 0;
  while (pos < filter.size()) {
    size_t bar = filter.find('|', pos);
    if (bar == std::string::npos || bar == pos) break;
    FileFilterEntry entry;
    entry.description = filter.substr(pos, bar - pos);
    size_t next = filter.find('|', bar + 1);
    if (next == std::string::npos) next = filter.size();
    entry.pattern = filter.substr(bar + 1, next - bar - 1);
    entries.push_back(entry);
    pos = next + 1;
  }
  return entries;
}

}  // namespace tessaro

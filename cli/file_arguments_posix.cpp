// File arguments on POSIX systems: the shell has expanded the wildcards.
#include "cli/file_arguments.h"

namespace tessaro::cli {

std::vector<std::string> ExpandFileArguments(std::vector<std::string> files) {
  return files;
}

}  // namespace tessaro::cli

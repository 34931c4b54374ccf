// The POSIX data directory: beside the program, else the user's config folder.
#include "ui/qt/data_directory.h"

#include <unistd.h>

#include <cstdlib>

namespace tessaro {

std::string DataDirectoryFor(const std::string& programDir, bool programDirWritable,
                             const char* xdgConfigHome, const char* home) {
  if (programDirWritable) return programDir;
  std::string base;
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    base = xdgConfigHome;
  } else if (home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.config";
  } else {
    return programDir;
  }
  if (base.back() != '/') base += '/';
  return base + "tessaro/";
}

std::string PosixDataDirectory(const std::string& programDir) {
  const std::string probe = programDir.empty() ? "." : programDir;
  const std::string installedMark = probe + "/../share/metainfo/org.tessaro.Tessaro.metainfo.xml";
  const bool writable =
      access(probe.c_str(), W_OK) == 0 && access(installedMark.c_str(), F_OK) != 0;
  return DataDirectoryFor(programDir, writable, std::getenv("XDG_CONFIG_HOME"),
                          std::getenv("HOME"));
}

}  // namespace tessaro

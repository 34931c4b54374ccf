#pragma once
// Where the settings file and the error log live on POSIX systems.

#include <string>

namespace tessaro {

// programDir (ending in '/') when it is writable: a portable copy keeps its
// files beside it. Otherwise $XDG_CONFIG_HOME/tessaro/, or ~/.config/tessaro/
// when XDG_CONFIG_HOME is unset, empty or relative. Without a usable home the
// program directory stands. The chosen directory is created on first write.
// xdgConfigHome and home may be null.
std::string DataDirectoryFor(const std::string& programDir, bool programDirWritable,
                             const char* xdgConfigHome, const char* home);

// DataDirectoryFor with the real environment and write permission. An
// installed program (programDir is <prefix>/bin/ and the install rules put
// the AppStream entry into <prefix>/share/metainfo/) counts as not writable
// even where it could write (root in /usr/bin, a prefix in the home folder):
// it must not leave files beside the installed programs.
std::string PosixDataDirectory(const std::string& programDir);

}  // namespace tessaro

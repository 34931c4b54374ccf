#pragma once
// Where the Windows program keeps its settings file and error log.

#include <string>

namespace tessaro {

// The file the installer puts beside the programs; a copy unpacked from the
// zip has none.
inline constexpr wchar_t kInstalledMarker[] = L"tessaro-installed.txt";

// programDir (ending in a backslash) for a portable copy in a folder it can
// write to. An installed copy (kInstalledMarker beside it), or one in a
// folder it cannot write to (C:\Program Files for a user without
// administrator rights), uses the user's %APPDATA%\Tessaro\ instead; the
// folder is made on the first write. Without %APPDATA% the program
// directory stands.
std::wstring Win32DataDirectory(const std::wstring& programDir);

}  // namespace tessaro

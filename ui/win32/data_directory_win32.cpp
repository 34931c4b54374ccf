// The Windows data directory: beside the program, else the user's profile.
#include "ui/win32/data_directory_win32.h"

#include <windows.h>
#include <shlobj.h>

namespace tessaro {
namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether a file can be made in dir: a hidden probe that the system deletes
// as soon as it is closed, so that nothing is left even if the program dies.
bool CanWriteIn(const std::wstring& dir) {
  const std::wstring probe = dir + L".tessaro-probe-" + std::to_wstring(GetCurrentProcessId());
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                         nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return true;
  }
  const DWORD error = GetLastError();
  return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
}

std::wstring RoamingAppData() {
  wchar_t buf[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buf) != S_OK) return {};
  return buf;
}

}  // namespace

std::wstring Win32DataDirectory(const std::wstring& programDir) {
  const bool installed = Exists(programDir + kInstalledMarker);
  if (!installed && CanWriteIn(programDir.empty() ? L".\\" : programDir)) return programDir;
  const std::wstring appData = RoamingAppData();
  if (appData.empty()) return programDir;
  return appData + (appData.back() == L'\\' ? L"" : L"\\") + L"Tessaro\\";
}

}  // namespace tessaro

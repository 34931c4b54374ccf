// "Show the output in its folder": Explorer with the file selected, else the
// folder opened, else nothing (the dialog logic then says so).
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <objbase.h>
#include <shlobj.h>

#include "engine/wide_text.h"

namespace tessaro {
namespace {

// The file selected in its folder's window; false when the shell could not.
bool SelectInFolder(const std::wstring& path) {
  // The shell's call wants COM on this thread for as long as it runs.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  PIDLIST_ABSOLUTE item = nullptr;
  bool shown = false;
  if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr))) {
    shown = SUCCEEDED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return shown;
}

}  // namespace

bool Win32WindowSystem::ShowInFolder(const std::string& path) {
  const std::wstring file = Widen(path, BadText::kReplace);
  if (SelectInFolder(file)) return true;
  // The file has gone since, or the shell cannot select: its folder.
  const size_t cut = file.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return false;
  const std::wstring folder = file.substr(0, cut == 2 && file[1] == L':' ? 3 : cut);
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteW(main_, nullptr, folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return opened > 32;
}

}  // namespace tessaro

// The modal dialogs: the common file dialogs and the about box.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/control_ids.h"
#include "ui/file_filter.h"
#include "engine/wide_text.h"

namespace tessaro {
namespace {

// "Desc|pattern|...||" as the NUL-separated, double-NUL-ended list that
// OPENFILENAMEW takes.
std::wstring NativeFilter(const std::string& filter) {
  std::wstring out;
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    out += Widen(entry.description, BadText::kReplace);
    out += L'\0';
    out += Widen(entry.pattern, BadText::kReplace);
    out += L'\0';
  }
  out += L'\0';
  return out;
}

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      SetDlgItemTextW(hwnd, kIdcVersion, reinterpret_cast<const wchar_t*>(lp));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == kIdOk || LOWORD(wp) == kIdCancel) {
        EndDialog(hwnd, LOWORD(wp));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool Win32WindowSystem::RunFileDialog(bool save, const std::string& initialName,
                                      const std::string& filter, std::string* path) {
  std::vector<std::string> paths;
  if (!RunFileDialog(save, false, initialName, filter, &paths) || paths.empty()) return false;
  *path = paths.front();
  return true;
}

bool Win32WindowSystem::RunFileDialog(bool save, bool several, const std::string& initialName,
                                      const std::string& filter, std::vector<std::string>* paths) {
  const std::wstring nativeFilter = NativeFilter(filter);
  // Room for the longest path Windows knows; the initial name is cut to fit.
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = Widen(initialName, BadText::kReplace);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = main_;
  ofn.lpstrFilter = nativeFilter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : 0) |
              (several ? OFN_ALLOWMULTISELECT : 0);
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  // One file: its full path. Several: the folder, then each name, each
  // ended by a NUL, the list by a second one.
  std::vector<std::wstring> parts;
  const wchar_t* end = file.data() + file.size();
  for (const wchar_t* part = file.data(); part < end && *part; part += wcslen(part) + 1) {
    parts.emplace_back(part);
  }
  paths->clear();
  if (parts.size() == 1) {
    paths->push_back(Narrow(parts.front(), BadText::kReplace));
  } else {
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) paths->push_back(Narrow(folder + parts[i], BadText::kReplace));
  }
  return !paths->empty();
}

bool Win32WindowSystem::RunOpenFilesDialog(const std::string& initialName, const std::string& filter,
                                           std::vector<std::string>* paths) {
  return RunFileDialog(false, true, initialName, filter, paths);
}

bool Win32WindowSystem::RunOpenFileDialog(const std::string& initialName,
                                          const std::string& filter, std::string* path) {
  return RunFileDialog(false, initialName, filter, path);
}

bool Win32WindowSystem::RunSaveFileDialog(const std::string& initialName,
                                          const std::string& filter, std::string* path) {
  return RunFileDialog(true, initialName, filter, path);
}

void Win32WindowSystem::RunAboutBox(const std::string& versionText) {
  const std::wstring text = Widen(versionText, BadText::kReplace);
  if (const DLGTEMPLATE* found = DialogTemplate(kDialogAbout)) {
    DialogBoxIndirectParamW(instance_, found, main_, AboutProc,
                            reinterpret_cast<LPARAM>(text.c_str()));
  }
}

}  // namespace tessaro

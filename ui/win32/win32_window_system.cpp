// Controls, windows, the pump and the program's own facts for the dialog
// logic. The dialog procedures are in dialog_procedures.cpp, the modal dialogs in
// win32_dialogs.cpp.
#include "ui/win32/win32_window_system.h"

#include <commctrl.h>
#include <shellapi.h>

#include <ctime>
#include <vector>

#include "ui/control_ids.h"
#include "engine/wide_text.h"
#include "ui/win32/data_directory_win32.h"
#include "ui/win32/program_language.h"
#include "ui/win32/window_dpi.h"

namespace tessaro {

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance, Language language)
    : instance_(instance), language_(ResourceLanguage(language)) {
  // The progress bar's and the tooltip's window classes live in the common controls.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconMain));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconMain), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

const DLGTEMPLATE* Win32WindowSystem::DialogTemplate(int id) const {
  // Looked up by language explicitly: DialogBox would take the thread's UI
  // language, not the one the user chose for this program.
  HRSRC found = FindResourceExW(instance_, RT_DIALOG, MAKEINTRESOURCEW(id), language_);
  if (!found) found = FindResourceW(instance_, MAKEINTRESOURCEW(id), RT_DIALOG);
  HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
  return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

HWND Win32WindowSystem::WindowOf(DialogWindow window) const {
  return window == DialogWindow::kMain ? main_ : error_;
}

int Win32WindowSystem::DpiOf(HWND window) const {
  return window == main_ && mainDpi_ > 0 ? mainDpi_ : WindowDpi(window);
}

HWND Win32WindowSystem::Control(int id) const {
  HWND h = main_ ? GetDlgItem(main_, id) : nullptr;
  if (!h && error_) h = GetDlgItem(error_, id);
  return h;
}

std::string Win32WindowSystem::GetControlText(int id) {
  HWND h = Control(id);
  if (!h) return std::string();
  const int length = GetWindowTextLengthW(h);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(h, text.data(), length + 1);
  return Narrow(std::wstring_view(text.data(), static_cast<size_t>(got > 0 ? got : 0)), BadText::kReplace);
}

void Win32WindowSystem::SetControlText(int id, const std::string& text) {
  HWND h = Control(id);
  if (!h) return;
  // The same text again changes nothing: setting it would scroll an edit
  // back to its top and drop its selection (the error window sets its
  // message on every tick of its countdown while the user scrolls it).
  const std::wstring wide = Widen(text, BadText::kReplace);
  const int length = GetWindowTextLengthW(h);
  if (length == static_cast<int>(wide.size())) {
    std::wstring shown(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(h, shown.data(), length + 1);
    if (got == length && shown.compare(0, static_cast<size_t>(got), wide) == 0) return;
  }
  ::SetWindowTextW(h, wide.c_str());
}

int Win32WindowSystem::GetComboIndex(int id) {
  HWND h = Control(id);
  if (!h) return -1;
  const LRESULT index = SendMessageW(h, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Win32WindowSystem::SetComboIndex(int id, int index) {
  if (HWND h = Control(id)) SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32WindowSystem::IsChecked(int id) {
  HWND h = Control(id);
  return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowSystem::SetChecked(int id, bool checked) {
  if (HWND h = Control(id)) SendMessageW(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32WindowSystem::EnableControl(int id, bool enabled) {
  if (HWND h = Control(id)) EnableWindow(h, enabled ? TRUE : FALSE);
}

void Win32WindowSystem::SetProgressPos(int id, int position) {
  // The bar's range stays the default 0..100, which PBM_SETPOS clamps to.
  if (HWND h = Control(id)) SendMessageW(h, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// The dialog logic's pixels are those of a 96-dpi screen (window_dpi.h):
// every rectangle it reads or sets is converted at the window's DPI.

bool Win32WindowSystem::MoveControl(int id, int x, int y, int width, int height) {
  HWND h = main_ ? GetDlgItem(main_, id) : nullptr;
  if (!h) return false;
  // Edges, not sizes, are converted: controls that do not touch in layout
  // pixels do not touch on the screen either.
  const int dpi = DpiOf(main_);
  const int left = ToDevice(x, dpi);
  const int top = ToDevice(y, dpi);
  MoveWindow(h, left, top, ToDevice(x + width, dpi) - left, ToDevice(y + height, dpi) - top, TRUE);
  return true;
}

WinRect Win32WindowSystem::GetWindowRect(DialogWindow window) {
  HWND h = WindowOf(window);
  if (!h) return WinRect{};
  RECT r{};
  ::GetWindowRect(h, &r);
  // The size converted on its own, so that placing a window at the rectangle
  // read gives it the same size again.
  const int dpi = DpiOf(h);
  const int left = ToLayout(r.left, dpi);
  const int top = ToLayout(r.top, dpi);
  return WinRect{left, top, left + ToLayout(r.right - r.left, dpi), top + ToLayout(r.bottom - r.top, dpi)};
}

WinRect Win32WindowSystem::GetClientRect(DialogWindow window) {
  HWND h = WindowOf(window);
  if (!h) return WinRect{};
  RECT r{};
  ::GetClientRect(h, &r);
  const int dpi = DpiOf(h);
  return WinRect{0, 0, ToLayout(r.right, dpi), ToLayout(r.bottom, dpi)};
}

void Win32WindowSystem::SetWindowText(DialogWindow window, const std::string& text) {
  if (HWND h = WindowOf(window)) ::SetWindowTextW(h, Widen(text, BadText::kReplace).c_str());
}

void Win32WindowSystem::PlaceWindow(DialogWindow window, int x, int y, int width, int height,
                                    bool resize) {
  if (HWND h = WindowOf(window)) {
    const int dpi = DpiOf(h);
    SetWindowPos(h, HWND_TOP, ToDevice(x, dpi), ToDevice(y, dpi), ToDevice(width, dpi),
                 ToDevice(height, dpi), resize ? 0u : SWP_NOSIZE);
  }
}

void Win32WindowSystem::ShowWindow(DialogWindow window, bool show) {
  HWND h = WindowOf(window);
  if (!h) return;
  // A message shown (again) starts at its head, wherever it was scrolled to.
  if (show && window == DialogWindow::kErrorMessage) {
    SendDlgItemMessageW(h, kIdcErrorMessage, WM_VSCROLL, SB_TOP, 0);
  }
  ::ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

bool Win32WindowSystem::CreateErrorWindow() {
  if (error_) return true;
  const DLGTEMPLATE* found = DialogTemplate(kDialogErrorMsg);
  if (!found) return false;
  error_ = CreateDialogIndirectParamW(instance_, found, main_, ErrorProc,
                                      reinterpret_cast<LPARAM>(this));
  if (!error_) return false;
  // The program's icon in the caption and the task switcher, not the
  // system's default window icon.
  SendMessageW(error_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(error_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  return true;
}

std::wstring Win32WindowSystem::ResourceString(int id) const {
  // A string table block holds 16 strings, each a length and its UTF-16 units.
  HRSRC found = FindResourceExW(instance_, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language_);
  HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
  const auto* units = loaded ? static_cast<const wchar_t*>(LockResource(loaded)) : nullptr;
  if (!units) return std::wstring();
  const wchar_t* end = units + SizeofResource(instance_, found) / sizeof(wchar_t);
  for (int i = 0; i < id % 16 && units < end; ++i) units += 1 + *units;
  if (units >= end || units + 1 + *units > end) return std::wstring();
  return std::wstring(units + 1, *units);
}

void Win32WindowSystem::AddAboutMenuEntry(const std::string& text) {
  HMENU menu = main_ ? GetSystemMenu(main_, FALSE) : nullptr;
  if (!menu || text.empty()) return;
  // The entry in the window's language, from the string table (the dialog
  // logic's text when the table has none).
  std::wstring entry = ResourceString(kStringAboutEntry);
  if (entry.empty()) entry = Widen(text, BadText::kReplace);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kIdmAboutBox, entry.c_str());
}

void Win32WindowSystem::SetShowOutputEntry(bool shown) {
  HMENU menu = main_ ? GetSystemMenu(main_, FALSE) : nullptr;
  if (!menu) return;
  DeleteMenu(menu, kIdmShowOutput, MF_BYCOMMAND);
  const std::wstring entry = ResourceString(kStringShowOutputEntry);
  if (shown && !entry.empty()) AppendMenuW(menu, MF_STRING, kIdmShowOutput, entry.c_str());
}

void Win32WindowSystem::EndDialog(int result) {
  // Only marks the dialog as ended: its modal loop returns once the handler
  // that asked (perhaps a conversion) has returned.
  if (main_) ::EndDialog(main_, result);
}

void Win32WindowSystem::PumpEvents() {
  // Every message is dispatched as it comes, WM_QUIT included; no dialog
  // keyboard handling but Esc, no waiting.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // Esc in the main window is its cancel command, as the dialog's own loop
    // makes it: while a conversion pumps here it stops the conversion.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && main_ &&
        (msg.hwnd == main_ || IsChild(main_, msg.hwnd))) {
      SendMessageW(main_, WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED), 0);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32WindowSystem::Sleep100ms() { ::Sleep(100); }

std::tm Win32WindowSystem::LocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

std::string Win32WindowSystem::DataDirectory() {
  // The program's own directory, however long its path; an installed copy
  // uses the user's profile instead (data_directory_win32.h).
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) {
      std::wstring path(buf.data(), n);
      const size_t slash = path.find_last_of(L'\\');
      const std::wstring dir = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
      return Narrow(Win32DataDirectory(dir), BadText::kReplace);
    }
    if (buf.size() >= 32768) return std::string();
    buf.resize(buf.size() * 2);
  }
}

FileVersion Win32WindowSystem::ReadFileVersion() {
  FileVersion version;
  HRSRC info = FindResourceW(instance_, MAKEINTRESOURCEW(1), RT_VERSION);
  if (!info) return version;
  HGLOBAL loaded = LoadResource(instance_, info);
  const auto* block = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  // VS_VERSIONINFO: a 6-byte header and the key L"VS_VERSION_INFO" padded to
  // byte 40, where VS_FIXEDFILEINFO begins with its signature.
  const DWORD size = SizeofResource(instance_, info);
  if (!block || size < 40 + sizeof(VS_FIXEDFILEINFO)) return version;
  VS_FIXEDFILEINFO fixed;
  memcpy(&fixed, block + 40, sizeof fixed);
  if (fixed.dwSignature != 0xFEEF04BD) return version;
  version.major = HIWORD(fixed.dwFileVersionMS);
  version.minor = LOWORD(fixed.dwFileVersionMS);
  version.patch = HIWORD(fixed.dwFileVersionLS);
  version.tweak = LOWORD(fixed.dwFileVersionLS);
  return version;
}

}  // namespace tessaro

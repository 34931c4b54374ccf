// Per-monitor DPI for the dialogs, on any Windows from 7 on: the functions
// of later versions are looked up at run time.
#include "ui/win32/window_dpi.h"

#include <vector>

namespace tessaro {
namespace {

// A function of user32 by name, or nullptr where this Windows lacks it.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
  // Through the generic function type, which any function pointer converts to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

void TakeOverDpiChanges(HWND dialog) {
  // BOOL SetDialogDpiChangeBehavior(HWND, DIALOG_DPI_CHANGE_BEHAVIORS mask,
  // DIALOG_DPI_CHANGE_BEHAVIORS values); DDC_DISABLE_ALL is 1.
  using SetBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
  static const auto setBehavior = User32Function<SetBehaviorFunction>("SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;
  if (setBehavior) setBehavior(dialog, kDisableAll, kDisableAll);
}

HFONT RescaleDialog(HWND dialog, int fromDpi, int toDpi, const LOGFONTW& face, int faceDpi) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (HWND child : children) {
    RECT r;
    ::GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int left = MulDiv(r.left, toDpi, fromDpi);
    const int top = MulDiv(r.top, toDpi, fromDpi);
    MoveWindow(child, left, top, MulDiv(r.right, toDpi, fromDpi) - left,
               MulDiv(r.bottom, toDpi, fromDpi) - top, FALSE);
  }
  // Always from the face as first made, so that sizes do not drift.
  LOGFONTW scaled = face;
  scaled.lfHeight = MulDiv(face.lfHeight, toDpi, faceDpi);
  scaled.lfWidth = MulDiv(face.lfWidth, toDpi, faceDpi);
  HFONT font = CreateFontIndirectW(&scaled);
  if (!font) return nullptr;
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (HWND child : children) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  InvalidateRect(dialog, nullptr, TRUE);
  return font;
}

}  // namespace tessaro

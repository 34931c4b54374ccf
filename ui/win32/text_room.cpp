// What the main window's texts need, measured in the window's own font at
// its DPI and given in the dialog logic's 96-dpi pixels; and the screens'
// work areas in the same pixels.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>

#include "ui/control_ids.h"
#include "ui/win32/window_dpi.h"

namespace tessaro {
namespace {

// Pixels of a control's font: the text as drawn (an access key's "&" is an
// underline), one line or each line of several.
SIZE DrawnSize(HWND control, const std::wstring& text, UINT lines) {
  RECT r{};
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOCLIP | lines);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Layout pixels that hold device pixels at dpi, rounded up.
int LayoutCeil(int device, int dpi) { return (device * kLayoutDpi + dpi - 1) / dpi; }

// The two path labels: the statics of the main dialog without an id.
bool IsPathLabel(HWND child) { return (GetDlgCtrlID(child) & 0xFFFF) == 0xFFFF; }

// A control's rectangle in its dialog's client area.
RECT RectInDialog(HWND control, HWND dialog) {
  RECT r;
  ::GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void Win32WindowSystem::FitPathLabels(HWND hwnd) {
  // The labels stay where the template puts them; each as wide as its text.
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsPathLabel(child)) continue;
    const RECT r = RectInDialog(child, hwnd);
    const SIZE text = DrawnSize(child, TextOf(child), DT_SINGLELINE);
    MoveWindow(child, r.left, r.top, text.cx + 2, r.bottom - r.top, TRUE);
  }
}

TextRoom Win32WindowSystem::MainTextRoom() {
  TextRoom room;
  if (!main_) return room;
  const int dpi = DpiOf(main_);
  // A button: its text, its frame and as much room again on either side.
  const int buttonMargin = ToDevice(12, dpi);
  for (const int id : {kIdcBrowseIn, kIdcBrowseOut, kIdcConvert}) {
    if (HWND button = GetDlgItem(main_, id)) {
      room.buttonColumn = std::max(
          room.buttonColumn, LayoutCeil(DrawnSize(button, TextOf(button), DT_SINGLELINE).cx + buttonMargin, dpi));
    }
  }
  if (HWND combo = GetDlgItem(main_, kIdcOutputSize)) {
    // The longest entry beside the arrow button, with the box's margins.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    const int arrow = info.rcButton.right - info.rcButton.left;
    const int text = DrawnSize(combo, L"1/2", DT_SINGLELINE | DT_NOPREFIX).cx;
    room.buttonColumn = std::max(room.buttonColumn, LayoutCeil(text + arrow + ToDevice(10, dpi), dpi));
  }
  // The convert button also says "cancel" while converting: the columns
  // keep the widest texts they have had, so that they do not jump.
  room.buttonColumn = roomSeen_.buttonColumn = std::max(room.buttonColumn, roomSeen_.buttonColumn);
  if (HWND label = GetDlgItem(main_, kIdcSizeLabel)) {
    room.sizeLabel = LayoutCeil(DrawnSize(label, TextOf(label), DT_SINGLELINE).cx + ToDevice(2, dpi), dpi);
  }
  if (HWND box = GetDlgItem(main_, kIdcForEditors)) {
    // The check mark's box (13 pixels at 96 dpi), the gaps beside it and the text.
    room.editorsChoice =
        LayoutCeil(DrawnSize(box, TextOf(box), DT_SINGLELINE).cx + ToDevice(13 + 8, dpi), dpi);
  }
  for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsPathLabel(child)) {
      room.labelColumn = std::max(room.labelColumn, LayoutCeil(RectInDialog(child, main_).right, dpi));
    }
  }
  return room;
}

WinRect Win32WindowSystem::InfoBoxSizeFor(const std::string& text) {
  HWND box = main_ ? GetDlgItem(main_, kIdcInfo) : nullptr;
  if (!box) return WinRect{};
  const int dpi = DpiOf(main_);
  const SIZE drawn = DrawnSize(box, Widen(text, BadText::kReplace), DT_NOPREFIX | DT_EXPANDTABS);
  // The edit's own margins and its frame (window less client area).
  const LRESULT margins = SendMessageW(box, EM_GETMARGINS, 0, 0);
  RECT outer;
  RECT inner;
  ::GetWindowRect(box, &outer);
  ::GetClientRect(box, &inner);
  const int frameX = (outer.right - outer.left) - inner.right;
  const int frameY = (outer.bottom - outer.top) - inner.bottom;
  const int width = drawn.cx + LOWORD(margins) + HIWORD(margins) + frameX + ToDevice(4, dpi);
  const int height = drawn.cy + frameY + ToDevice(4, dpi);
  return WinRect{0, 0, LayoutCeil(width, dpi), LayoutCeil(height, dpi)};
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcWork);
  return TRUE;
}

}  // namespace

std::vector<WinRect> Win32WindowSystem::ScreenWorkAreas() {
  std::vector<RECT> found;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&found));
  // In the pixels the window's positions are given in (window_dpi.h).
  const int dpi = main_ ? DpiOf(main_) : WindowDpi(nullptr);
  std::vector<WinRect> areas;
  for (const RECT& r : found) {
    areas.push_back(WinRect{ToLayout(r.left, dpi), ToLayout(r.top, dpi), ToLayout(r.right, dpi),
                            ToLayout(r.bottom, dpi)});
  }
  return areas;
}

}  // namespace tessaro

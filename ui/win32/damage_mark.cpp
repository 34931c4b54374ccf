// The mark of a damaged last file on the main window, as the Qt window shows
// it: the progress bar drawn red with the mark's word on it, a tooltip
// telling where the report is, the bar's name for screen readers, and the
// system menu's entry that shows the report again. Until the next
// conversion (the dialog logic decides).
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <commctrl.h>

#include "ui/control_ids.h"

namespace tessaro {
namespace {

constexpr COLORREF kMarkRed = RGB(190, 30, 30);  // the Qt window's
constexpr UINT_PTR kMarkSubclass = 1;

// The marked bar: its part done in red, the rest in the window colour, the
// word centred on it, white on the red and red on the rest.
void PaintMarkedBar(HWND bar, HDC dc, const std::wstring& word) {
  RECT all;
  GetClientRect(bar, &all);
  const auto position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  const int done = MulDiv(all.right - all.left, position < 0 ? 0 : (position > 100 ? 100 : position), 100);
  RECT red = all;
  red.right = all.left + done;
  RECT rest = all;
  rest.left = red.right;
  HBRUSH redBrush = CreateSolidBrush(kMarkRed);
  FillRect(dc, &red, redBrush);
  DeleteObject(redBrush);
  FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(GetParent(bar), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (const auto& [part, colour] : {std::pair{red, RGB(255, 255, 255)}, std::pair{rest, kMarkRed}}) {
    if (part.right <= part.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, colour);
    RECT text = all;
    DrawTextW(dc, word.c_str(), static_cast<int>(word.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
  }
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK MarkedBarProc(HWND bar, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR word) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(bar, &ps);
      PaintMarkedBar(bar, dc, *reinterpret_cast<const std::wstring*>(word));
      EndPaint(bar, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintMarkedBar(bar, reinterpret_cast<HDC>(wp), *reinterpret_cast<const std::wstring*>(word));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_NCDESTROY:
      RemoveWindowSubclass(bar, MarkedBarProc, kMarkSubclass);
      [[fallthrough]];
    default:
      return DefSubclassProc(bar, msg, wp, lp);
  }
}

}  // namespace

void Win32WindowSystem::SetDamageMark(bool shown) {
  HWND bar = main_ ? GetDlgItem(main_, kIdcProgress) : nullptr;
  if (bar) {
    damageWord_ = shown ? ResourceString(kStringDamageMark) : std::wstring();
    if (!damageWord_.empty()) {
      SetWindowSubclass(bar, MarkedBarProc, kMarkSubclass, reinterpret_cast<DWORD_PTR>(&damageWord_));
    } else {
      RemoveWindowSubclass(bar, MarkedBarProc, kMarkSubclass);
    }
    InvalidateRect(bar, nullptr, TRUE);
    NameProgress(main_, shown);
    TipDamageMark(bar, shown);
  }
  HMENU menu = main_ ? GetSystemMenu(main_, FALSE) : nullptr;
  if (!menu) return;
  DeleteMenu(menu, kIdmDamageReport, MF_BYCOMMAND);
  const std::wstring entry = ResourceString(kStringDamageReportEntry);
  if (shown && !entry.empty()) AppendMenuW(menu, MF_STRING, kIdmDamageReport, entry.c_str());
}

void Win32WindowSystem::TipDamageMark(HWND bar, bool shown) {
  if (!tips_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = main_;
  tool.uId = reinterpret_cast<UINT_PTR>(bar);
  SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  std::wstring text = ResourceString(kStringDamageMarkTip);
  if (!shown || text.empty()) return;
  tool.lpszText = text.data();  // the tooltip keeps a copy
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32WindowSystem::NameProgress(HWND hwnd, bool damaged) {
  const std::wstring name =
      ResourceString(damaged ? kStringProgressDamagedName : kStringProgressName);
  SetDlgItemTextW(hwnd, kIdcProgress, name.c_str());
}

}  // namespace tessaro

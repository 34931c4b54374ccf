// The dialog procedures of the main dialog and the error window: Win32
// messages in, calls of the dialog logic's handlers out.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <commctrl.h>

#include <vector>

#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"
#include "engine/wide_text.h"
#include "ui/win32/window_dpi.h"

namespace tessaro {

INT_PTR Win32WindowSystem::RunMainDialog(CTessaroDlg& dlg) {
  dlg_ = &dlg;
  const DLGTEMPLATE* found = DialogTemplate(kDialogMain);
  const INT_PTR result = found ? DialogBoxIndirectParamW(instance_, found, nullptr, MainProc,
                                                         reinterpret_cast<LPARAM>(this))
                               : -1;
  main_ = nullptr;
  error_ = nullptr;  // destroyed with its owner
  tips_ = nullptr;  // destroyed with its owner
  damageWord_.clear();
  focusWhenLeft_ = nullptr;
  pendingFocus_ = nullptr;
  mainDpi_ = 0;
  mainFaceDpi_ = 0;
  roomSeen_ = TextRoom{};
  if (mainFont_) DeleteObject(mainFont_);
  mainFont_ = nullptr;
  dlg_ = nullptr;
  return result;
}

INT_PTR CALLBACK Win32WindowSystem::MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lp);
  auto* self = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self && self->dlg_ ? self->OnMainMessage(hwnd, msg, wp, lp) : FALSE;
}

INT_PTR Win32WindowSystem::OnMainMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      OnMainInit(hwnd);
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0u) == kIdmDamageReport) {
        dlg_->OnShowDamageReport();
        return TRUE;
      }
      if ((wp & 0xFFF0u) == kIdmShowOutput) {
        dlg_->OnShowOutputFolder();
        return TRUE;
      }
      // FALSE lets the dialog manager do the default system command.
      return dlg_->OnSysCommand(static_cast<unsigned>(wp)) ? TRUE : FALSE;
    case WM_PAINT:
      OnMainPaint(hwnd);
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_COMMAND:
      OnMainCommand(wp);
      return TRUE;
    case WM_ACTIVATE:
      return OnMainActivate(wp) ? TRUE : FALSE;
    case WM_CLOSE:  // the close box, Alt+F4, Close in the system menu
      dlg_->OnClose();
      return TRUE;
    case WM_DROPFILES:
      OnMainDrop(reinterpret_cast<HDROP>(wp));
      return TRUE;
    case WM_SIZE:
      dlg_->OnSize();
      return TRUE;
    case WM_GETMINMAXINFO: {
      MinMaxInfo limits;
      dlg_->OnGetMinMaxInfo(limits);
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      const int dpi = DpiOf(hwnd);
      if (limits.minTrackWidth > 0) info->ptMinTrackSize.x = ToDevice(limits.minTrackWidth, dpi);
      if (limits.minTrackHeight > 0) info->ptMinTrackSize.y = ToDevice(limits.minTrackHeight, dpi);
      if (limits.maxTrackWidth > 0) info->ptMaxTrackSize.x = ToDevice(limits.maxTrackWidth, dpi);
      if (limits.maxTrackHeight > 0) info->ptMaxTrackSize.y = ToDevice(limits.maxTrackHeight, dpi);
      return TRUE;
    }
    case WM_DPICHANGED:
      OnMainDpiChanged(hwnd, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return TRUE;
    default:
      return FALSE;
  }
}

void Win32WindowSystem::OnMainInit(HWND hwnd) {
  main_ = hwnd;
  // The dialog manager has made the font and the template's controls for
  // the DPI of the screen the window opens on; later changes are the
  // program's to follow (OnMainDpiChanged).
  mainDpi_ = WindowDpi(hwnd);
  TakeOverDpiChanges(hwnd);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
  mainFaceDpi_ = font && GetObjectW(font, sizeof mainFace_, &mainFace_) ? mainDpi_ : 0;
  // The dialog's background is painted around its controls, never over them:
  // otherwise, when the window grows, painting the newly uncovered area wipes
  // the controls the resize has just moved there, and they stay blank.
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
  HWND combo = GetDlgItem(hwnd, kIdcOutputSize);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"1/1"));
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"1/2"));
  AddTips(hwnd);
  NameProgress(hwnd, false);
  FitPathLabels(hwnd);
  // The large icon only: the caption's small one is derived from it.
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  dlg_->OnInitDialog();
}

void Win32WindowSystem::AddTips(HWND hwnd) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                             nullptr, instance_, nullptr);
  if (!tip) return;
  tips_ = tip;
  // Wide enough for the longest line, wrapped where the text is longer.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
  // What 1/1 and 1/2 mean, over the size choice and its label; which file
  // each browse button is for (the two read alike); what the editors' check
  // box does.
  const struct {
    int control;
    int text;
  } tips[] = {{kIdcOutputSize, kStringSizeTip},
              {kIdcSizeLabel, kStringSizeTip},
              {kIdcBrowseIn, kStringBrowseInName},
              {kIdcBrowseOut, kStringBrowseOutName},
              {kIdcForEditors, kStringEditorsTip}};
  for (const auto& t : tips) {
    std::wstring text = ResourceString(t.text);
    if (text.empty()) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd, t.control));
    tool.lpszText = text.data();  // the tooltip keeps a copy
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32WindowSystem::OnMainDpiChanged(HWND hwnd, int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  const int before = mainDpi_;
  mainDpi_ = dpi;
  if (dpi != before && mainFaceDpi_ > 0) {
    if (HFONT font = RescaleDialog(hwnd, before, dpi, mainFace_, mainFaceDpi_)) {
      if (mainFont_) DeleteObject(mainFont_);
      mainFont_ = font;
    }
  }
  FitPathLabels(hwnd);
  // Windows suggests the rectangle that keeps the window's size in layout
  // pixels; the controls follow the client size it gives.
  SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  dlg_->OnSize();
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32WindowSystem::OnMainPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (IsIconic(hwnd)) {
    // Minimised: the icon, centred in the client area.
    SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT r;
    ::GetClientRect(hwnd, &r);
    const int x = (r.right - r.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (r.bottom - r.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
  }
  EndPaint(hwnd, &ps);
  // After the window has painted: the first paint starts a command-line run.
  dlg_->OnPaint();
}

void Win32WindowSystem::OnMainCommand(WPARAM wp) {
  if (LOWORD(wp) == kIdcInFile && HIWORD(wp) == EN_CHANGE) {
    dlg_->OnInputPathChanged();  // typed, pasted or set: the output follows
    return;
  }
  if (HIWORD(wp) != BN_CLICKED) return;
  switch (LOWORD(wp)) {
    case kIdOk:  // Enter where no button is the default one: converts, as Convert does
    case kIdcConvert:  // during a conversion it cancels
      dlg_->OnConvert();
      break;
    case kIdCancel:  // Esc; during a conversion it cancels
      dlg_->OnCancel();
      break;
    case kIdcBrowseIn:
      dlg_->OnBrowseInput();
      break;
    case kIdcBrowseOut:
      dlg_->OnBrowseOutput();
      break;
    default:
      break;
  }
}

void Win32WindowSystem::OnMainDrop(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // The whole path, however long.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, path.data(), length + 1);
    paths.push_back(Narrow(std::wstring_view(path.data(), got), BadText::kReplace));
  }
  DragFinish(drop);
  dlg_->OnDropFiles(paths);
}

INT_PTR CALLBACK Win32WindowSystem::ErrorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    // Both texts start empty, as the dialog object holds them: the
    // template's "秒" never shows.
    SetDlgItemTextW(hwnd, kIdcErrorMessage, L"");
    SetDlgItemTextW(hwnd, kIdcCountdown, L"");
    return FALSE;
  }
  auto* self = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self ? self->OnErrorMessage(msg, wp) : FALSE;
}

INT_PTR Win32WindowSystem::OnErrorMessage(UINT msg, WPARAM wp) {
  switch (msg) {
    case WM_COMMAND:
      // "閉じる" and the close box only note the closing; the countdown hides
      // the window. The hidden OK button does nothing.
      if (LOWORD(wp) == kIdCancel && dlg_ && dlg_->ErrorDialog()) dlg_->ErrorDialog()->OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tessaro

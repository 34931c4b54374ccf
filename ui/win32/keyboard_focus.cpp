// The main dialog's keyboard focus for the dialog logic. While the window is
// not the active one, the focus it will get on its next activation stands
// for it: the control it had when it was left, or the one the logic has
// chosen since, which the activation then gives the focus instead of the
// dialog manager's saved one.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

namespace tessaro {

int Win32WindowSystem::FocusedControl() {
  if (!main_) return 0;
  HWND focus = GetActiveWindow() == main_ ? GetFocus()
                                          : (pendingFocus_ ? pendingFocus_ : focusWhenLeft_);
  return focus && IsChild(main_, focus) ? GetDlgCtrlID(focus) : 0;
}

void Win32WindowSystem::FocusControl(int id) {
  HWND control = main_ ? GetDlgItem(main_, id) : nullptr;
  if (!control) return;
  if (GetActiveWindow() != main_) {
    pendingFocus_ = control;  // never steals the activation from another program
    return;
  }
  pendingFocus_ = nullptr;
  TakeFocus(control);
}

void Win32WindowSystem::TakeFocus(HWND control) {
  if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    // An edit keeps its caret and selection, as after a click elsewhere.
    SetFocus(control);
  } else {
    // A button as the dialog manager moves there: the default button follows.
    SendMessageW(main_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
}

bool Win32WindowSystem::OnMainActivate(WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    // Still the main dialog's focus, which the dialog manager saves too.
    focusWhenLeft_ = GetFocus();
    return false;
  }
  // Minimised, the window gets no focus; the pending one waits for its restore.
  if (HIWORD(wp) != 0) return false;
  focusWhenLeft_ = nullptr;
  HWND pending = pendingFocus_;
  pendingFocus_ = nullptr;
  if (!pending || !IsWindowEnabled(pending) || !IsChild(main_, pending)) return false;
  TakeFocus(pending);
  return true;
}

}  // namespace tessaro

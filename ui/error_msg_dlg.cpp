// The error message window's logic: placing, closing, the countdown text.
#include "ui/error_msg_dlg.h"

#include "ui/control_ids.h"
#include "ui/dialog_texts.h"

namespace tessaro {

CErrorMsgDlg::CErrorMsgDlg(WindowSystem& ws) : m_ws(ws) {}

bool CErrorMsgDlg::Create() {
  bool created = m_ws.CreateErrorWindow();
  m_bClosed = 0;
  return created;
}

void CErrorMsgDlg::UpdateData(bool saveAndValidate) {
  if (saveAndValidate) {
    m_strMessage = m_ws.GetControlText(kIdcErrorMessage);
    m_strCountdown = m_ws.GetControlText(kIdcCountdown);
  } else {
    m_ws.SetControlText(kIdcErrorMessage, m_strMessage);
    m_ws.SetControlText(kIdcCountdown, m_strCountdown);
  }
}

void CErrorMsgDlg::PlaceWithMessage(const std::string& text) {
  UpdateData(true);
  m_bClosed = 0;
  m_strMessage = text;
  UpdateData(false);
  const WinRect c = m_ws.GetClientRect(DialogWindow::kErrorMessage);
  const WinRect o = m_ws.GetWindowRect(DialogWindow::kMain);
  const int x = (o.left + o.right - (c.right - c.left)) / 2;
  const int y = (o.top + o.bottom - (c.bottom - c.top)) / 2;
  m_ws.PlaceWindow(DialogWindow::kErrorMessage, x, y, 0, 0, false);
}

void CErrorMsgDlg::OnCancel() { m_bClosed = 1; }

std::string CountdownText(int tenths, Language language) {
  return DialogTextsFor(language).countdown(tenths / 10.0);
}

}  // namespace tessaro

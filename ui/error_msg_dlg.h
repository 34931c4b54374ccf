#pragma once
// The modeless error message window (template 132): a message, a countdown
// and "閉じる". It is created hidden once and shown for each report.

#include <string>

#include "engine/language.h"
#include "ui/window_system.h"

namespace tessaro {

class CErrorMsgDlg {
 public:
  explicit CErrorMsgDlg(WindowSystem& ws);

  // Creates the hidden window owned by the main dialog.
  bool Create();
  // Takes the text and centres the window's client size over the main
  // window's outer rectangle, on top of the z-order; its size stays.
  void PlaceWithMessage(const std::string& text);
  // "閉じる" and the close box: only notes that the user closed the window;
  // the countdown hides it.
  void OnCancel();
  // TRUE: the message and the countdown text into the members; FALSE: back.
  void UpdateData(bool saveAndValidate);

  WindowSystem& m_ws;  // stands for the owner window (the main dialog)
  std::string m_strMessage;
  std::string m_strCountdown;
  int m_bClosed = 0;
};

// "あと%5.1f秒で消えます。" for n tenths of a second, in language.
std::string CountdownText(int tenths, Language language);

}  // namespace tessaro

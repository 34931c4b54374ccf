#pragma once
// The error message window (template 132): message, countdown, "閉じる".

#include <QDialog>

namespace tessaro {
class CErrorMsgDlg;
}

namespace tessaro::qt {

class ErrorWindow : public QDialog {
  Q_OBJECT

 public:
  ErrorWindow(QWidget* owner, CErrorMsgDlg** dialog);

  // Esc, "閉じる" and the close box only tell the dialog logic; the
  // countdown hides the window.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  CErrorMsgDlg** dialog_;
};

}  // namespace tessaro::qt

#pragma once
// The error message window (template 132): message, countdown, "閉じる".

#include <QDialog>

namespace tessaro::qt {

class MainWindow;

class ErrorWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ErrorWindow(MainWindow* owner);

  // Esc, "閉じる" and the close box only tell the dialog logic (the main
  // dialog's error dialog, asked for when needed); the countdown hides the
  // window.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MainWindow* owner_;
};

}  // namespace tessaro::qt

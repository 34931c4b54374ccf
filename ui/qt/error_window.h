#pragma once
// The error message window: message, countdown and the close button.

#include <QDialog>

#include "engine/language.h"

namespace tessaro::qt {

class MainWindow;

class ErrorWindow : public QDialog {
  Q_OBJECT

 public:
  ErrorWindow(MainWindow* owner, Language language);

  // Esc, the close button and the close box only tell the dialog logic (the main
  // dialog's error dialog, asked for when needed); the countdown hides the
  // window.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MainWindow* owner_;
};

}  // namespace tessaro::qt

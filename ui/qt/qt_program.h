#pragma once
// The dialog program on Qt: the window system, the main dialog's logic and
// their wiring, as main() and the widget tests use them.

#include <string>

#include "ui/qt/qt_window_system.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::qt {

class QtDialogProgram {
 public:
  QtDialogProgram(const std::string& dataDirectory, CommandLine commandLine,
                  ConversionRunner runner);
  ~QtDialogProgram();

  // Initialises the dialog: the window is placed, titled and shown.
  void Start();
  // Start, then runs the dialog modally; returns its end result.
  int Exec();

  QtWindowSystem& Ws() { return ws_; }
  MainWindow& Window() { return ws_.Main(); }
  CTessaroDlg& Dialog() { return dialog_; }

 private:
  QtWindowSystem ws_;
  CTessaroDlg dialog_;
};

// Where the settings file and the error log go for a program in programDir.
std::string DataDirectoryForProgram(const std::string& programDir);

}  // namespace tessaro::qt

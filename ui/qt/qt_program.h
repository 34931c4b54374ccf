#pragma once
// The dialog program on Qt: the window system, the main dialog's logic and
// their wiring, as main() and the widget tests use them.

#include <string>

#include "ui/qt/qt_window_system.h"
#include "ui/qt/translations.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::qt {

class QtDialogProgram {
 public:
  // The windows, the conversions' reports and the dialog's own texts are
  // in language.
  QtDialogProgram(const std::string& dataDirectory, CommandLine commandLine,
                  ConversionRunner runner, Language language);
  ~QtDialogProgram();

  // Initialises the dialog: the window is placed, titled and shown. A
  // non-empty openPath is then taken as if it had been dropped onto the
  // window: it becomes the input and the output path is proposed from it.
  void Start(const std::string& openPath = {});
  // Start, then runs the dialog modally; returns its end result.
  int Exec(const std::string& openPath = {});

  QtWindowSystem& Ws() { return ws_; }
  MainWindow& Window() { return ws_.Main(); }
  CTessaroDlg& Dialog() { return dialog_; }

 private:
  Translations translations_;  // installed before the windows are made
  QtWindowSystem ws_;
  CTessaroDlg dialog_;
};

// Where the settings file and the error log go for a program in programDir.
std::string DataDirectoryForProgram(const std::string& programDir);

// "--open [PATH]" as the first argument, as "Open with" in a file manager
// starts the program: the dialog opens for the user instead of a
// command-line run, with PATH (when given and not empty) as its input.
// Arguments after PATH are ignored.
struct OpenOption {
  bool given = false;
  std::string path;
};
OpenOption OpenOptionFromArgs(int argc, const char* const* argv);

}  // namespace tessaro::qt

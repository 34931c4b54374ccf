#include "ui/qt/qt_program.h"

#include <utility>

#include "ui/data_directory.h"
#include "ui/qt/main_window.h"

namespace tessaro::qt {

QtDialogProgram::QtDialogProgram(const std::string& dataDirectory, CommandLine commandLine,
                                 ConversionRunner runner)
    : ws_(dataDirectory), dialog_(ws_, std::move(commandLine), std::move(runner)) {
  ws_.Main().SetDialog(&dialog_);
}

QtDialogProgram::~QtDialogProgram() { ws_.Main().SetDialog(nullptr); }

void QtDialogProgram::Start() {
  dialog_.OnInitDialog();
  ws_.SetErrorDialog(dialog_.ErrorDialog());
  ws_.Main().ApplyMinMax();
}

int QtDialogProgram::Exec() {
  Start();
  return ws_.Main().exec();
}

std::string DataDirectoryForProgram(const std::string& programDir) {
  std::string dir = programDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return PosixDataDirectory(dir);
}

}  // namespace tessaro::qt

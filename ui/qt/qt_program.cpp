// The Qt dialog program's wiring and where it keeps its files.
#include "ui/qt/qt_program.h"

#include <string_view>
#include <utility>

#include "frontend/start_up.h"
#include "ui/qt/data_directory.h"
#include "ui/qt/main_window.h"

namespace tessaro::qt {

QtDialogProgram::QtDialogProgram(const std::string& dataDirectory, CommandLine commandLine,
                                 ConversionRunner runner, Language language)
    : translations_(language),
      ws_(dataDirectory, language),
      dialog_(ws_, std::move(commandLine), std::move(runner), language) {
  ws_.Main().SetDialog(&dialog_);
}

QtDialogProgram::~QtDialogProgram() { ws_.Main().SetDialog(nullptr); }

void QtDialogProgram::Start(const std::string& openPath) {
  dialog_.OnInitDialog();
  ws_.Main().ApplyMinMax();
  if (!openPath.empty()) dialog_.OnDropFiles({openPath});
}

int QtDialogProgram::Exec(const std::string& openPath) {
  Start(openPath);
  return ws_.Main().exec();
}

std::string DataDirectoryForProgram(const std::string& programDir) {
  std::string dir = programDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return PosixDataDirectory(dir);
}

OpenOption OpenOptionFromArgs(int argc, const char* const* argv) {
  OpenOption option;
  if (argc < 2 || std::string_view(argv[1]) != kOpenToken) return option;
  option.given = true;
  if (argc > 2) option.path = argv[2];
  return option;
}

}  // namespace tessaro::qt

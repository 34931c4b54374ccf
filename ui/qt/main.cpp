// tessaro: the dialog program. Without arguments it opens the dialog; with
// "--open PATH" it opens it with PATH as the input; with other arguments it
// converts once from them and ends with the console program's exit status.
// "--lang=ja" or "--lang=en" anywhere chooses the language (else the
// locale's).
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frontend/start_up.h"
#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/conversion_runner.h"
#include "ui/qt/qt_program.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s (%s)\n", tessaro::FormatVersionText(tessaro::FileVersionFromBuild()).c_str(),
                TESSARO_VERSION_STRING);
    return 0;
  }
  // QApplication takes its own options (-platform, -style, ...) out of argv.
  QApplication app(argc, argv);
  const tessaro::ProgramStart start = tessaro::StartProgram(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), tessaro::ProgramKind::kDialog);
  std::vector<const char*> args{argc > 0 ? argv[0] : "tessaro"};
  for (const std::string& token : start.tokens) args.push_back(token.c_str());
  const int count = static_cast<int>(args.size());
  const std::string programDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  const tessaro::qt::OpenOption open = tessaro::qt::OpenOptionFromArgs(count, args.data());
  tessaro::qt::QtDialogProgram program(
      tessaro::qt::DataDirectoryForProgram(programDir),
      open.given ? tessaro::CommandLine{} : tessaro::CommandLineFromArgs(count, args.data()),
      tessaro::DefaultConversionRunner(), start.language);
  program.Exec(open.path);
  return program.Dialog().ExitStatus();
}

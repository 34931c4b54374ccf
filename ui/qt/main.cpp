// tessaro: the dialog program. Without arguments it opens the dialog; with
// "--open PATH" it opens it with PATH as the input; with other arguments it
// converts once from them and ends with the console program's exit status.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <cstring>

#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/conversion_runner.h"
#include "ui/qt/qt_program.h"
#include "ui/qt/translations.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s (%s)\n", tessaro::FormatVersionText(tessaro::FileVersionFromBuild()).c_str(),
                TESSARO_VERSION_STRING);
    return 0;
  }
  QApplication app(argc, argv);
  // Qt's own texts (file dialogs, context menus) in the user's language.
  tessaro::qt::InstallQtTranslations(QLocale::system());
  const std::string programDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  const tessaro::qt::OpenOption open = tessaro::qt::OpenOptionFromArgs(argc, argv);
  tessaro::qt::QtDialogProgram program(
      tessaro::qt::DataDirectoryForProgram(programDir),
      open.given ? tessaro::CommandLine{} : tessaro::CommandLineFromArgs(argc, argv),
      tessaro::DefaultConversionRunner());
  program.Exec(open.path);
  return program.Dialog().ExitStatus();
}

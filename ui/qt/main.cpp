// tessaro: the dialog program. Without arguments it opens the dialog; with
// arguments it converts once from them and ends.
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/qt/qt_program.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s (%s)\n", tessaro::FormatVersionText(tessaro::FileVersionFromBuild()).c_str(),
                TESSARO_VERSION_STRING);
    return 0;
  }
  QApplication app(argc, argv);
  const std::string programDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  tessaro::qt::QtDialogProgram program(tessaro::qt::DataDirectoryForProgram(programDir),
                                       tessaro::CommandLineFromArgs(argc, argv),
                                       tessaro::DefaultConversionRunner());
  program.Exec();
  return 0;
}

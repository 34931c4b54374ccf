// tessaro: the dialog program. Without arguments it opens the dialog; with
// "--open PATH" it opens it with PATH as the input; with other arguments it
// converts once from them and ends with the console program's exit status;
// arguments that do not form a run are a usage error (status 2). "--lang=ja"
// or "--lang=en" among the options chooses the language (else the locale's);
// --help and --version answer and end.
#include <QApplication>
#include <QFile>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "frontend/command_tokens.h"
#include "frontend/exit_status.h"
#include "frontend/frontend_texts.h"
#include "frontend/start_up.h"
#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/conversion_runner.h"
#include "ui/qt/qt_program.h"

#if defined(__SANITIZE_ADDRESS__)
// The font and message-bus libraries keep a few bytes to the end of the
// process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libdbus-1\n";
}
#endif

namespace {

// Arguments that do not form a run: nothing is read or written, and the
// message goes to standard error. Where a terminal shows it the program ends
// here; otherwise (a desktop launch) the dialog shows it in its error window.
bool RefusedOnTerminal(const tessaro::CommandLine& line, tessaro::Language language) {
  if (line.empty) return false;
  const tessaro::UsageError usage = tessaro::ReadDialogArguments(line.tokens).usage;
  if (usage.failure == tessaro::Failure::kNone) return false;
  std::fputs(tessaro::DialogUsageError(usage, language).c_str(), stderr);
  std::fflush(stderr);
  return ::isatty(STDERR_FILENO) != 0;
}

// The answer to --help or --version on standard output: 0, or 1 with the
// reason on standard error when it could not be written (a full disk).
int Answer(const std::string& text, const tessaro::FrontEndTexts& texts) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) {
    return 0;
  }
  const std::string message = texts.outputNotWritten(std::strerror(errno));
  std::fwrite(message.data(), 1, message.size(), stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Before Qt starts, so that --help and --version need no display.
  tessaro::ProgramStart start = tessaro::StartProgram(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), tessaro::ProgramKind::kDialog);
  const tessaro::FrontEndTexts& texts = tessaro::FrontEndTextsFor(start.language);
  switch (start.info) {
    case tessaro::InfoRequest::kHelp:
      return Answer(std::string(texts.dialogUsage) + texts.dialogOpenForm.c_str() +
                        texts.dialogHelp.c_str(),
                    texts);
    case tessaro::InfoRequest::kVersion:
      return Answer(tessaro::FormatVersionText(tessaro::FileVersionFromBuild()) + " (" +
                        TESSARO_VERSION_STRING + ")\n",
                    texts);
    case tessaro::InfoRequest::kNone:
      break;
  }
  // QApplication takes its own options (-platform, -style, ...) out of the
  // arguments it is given; the rest are the dialog's.
  static char programName[] = "tessaro";
  std::vector<char*> args{argc > 0 ? argv[0] : programName};
  for (std::string& token : start.tokens) args.push_back(token.data());
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  QApplication app(count, args.data());
  const std::string programDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  const tessaro::qt::OpenOption open = tessaro::qt::OpenOptionFromArgs(count, args.data());
  tessaro::CommandLine line =
      open.given ? tessaro::CommandLine{} : tessaro::CommandLineFromArgs(count, args.data());
  if (RefusedOnTerminal(line, start.language)) return tessaro::kExitUsage;
  tessaro::qt::QtDialogProgram program(tessaro::qt::DataDirectoryForProgram(programDir),
                                       std::move(line), tessaro::DefaultConversionRunner(),
                                       start.language);
  program.Exec(open.path);
  return program.Dialog().ExitStatus();
}

// tessaro-cli.exe: the arguments are taken from the wide command line and
// handed on as UTF-8, so that any path arrives whole.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/console_win32.h"
#include "engine/wide_text.h"
#include "frontend/interrupts.h"
#include "frontend/start_up.h"

namespace {

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(tessaro::Narrow(argv[i], tessaro::BadText::kReplace));
  }
  LocalFree(argv);
  return args;
}

}  // namespace

int main() {
  tessaro::ProgramStart start =
      tessaro::StartProgram(Utf8Arguments(), tessaro::ProgramKind::kConsole);
  tessaro::cli::Win32Console console;
  return tessaro::cli::RunCli(std::move(start.tokens), console, tessaro::WatchedRealFileSystem(),
                              start.language);
}

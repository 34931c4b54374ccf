// tessaro-cli.exe: the arguments are taken from the wide command line and
// handed on as UTF-8, so that any path arrives whole.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_texts.h"
#include "cli/console_win32.h"
#include "cli/interrupts.h"
#include "engine/environment_language.h"
#include "engine/wide_text.h"
#include "naming/language_choice.h"

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
  const std::vector<std::string> args = Utf8Arguments();
  const tessaro::Language language =
      tessaro::LanguageFromTokens(args).value_or(tessaro::EnvironmentLanguage());
  tessaro::cli::Win32Console console;
  tessaro::cli::InstallInterruptHandlers(tessaro::cli::CliTextsFor(language).stopped.c_str());
  tessaro::cli::WatchedFileSystem fs(tessaro::RealFileSystem());
  return tessaro::cli::RunCli(args, console, fs, language);
}

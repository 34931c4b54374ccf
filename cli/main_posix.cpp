// tessaro-cli on POSIX: the arguments as they stand, the standard streams.
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_texts.h"
#include "cli/console_posix.h"
#include "cli/interrupts.h"
#include "engine/environment_language.h"
#include "naming/language_choice.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const tessaro::Language language =
      tessaro::LanguageFromTokens(args).value_or(tessaro::EnvironmentLanguage());
  tessaro::cli::StdioConsole console;
  tessaro::cli::InstallInterruptHandlers(tessaro::cli::CliTextsFor(language).stopped.c_str());
  tessaro::cli::WatchedFileSystem fs(tessaro::RealFileSystem());
  return tessaro::cli::RunCli(args, console, fs, language);
}

// tessaro-cli on POSIX: the arguments as they stand, the standard streams.
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/console_posix.h"
#include "frontend/interrupts.h"
#include "frontend/start_up.h"

int main(int argc, char** argv) {
  tessaro::ProgramStart start = tessaro::StartProgram(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), tessaro::ProgramKind::kConsole);
  tessaro::cli::StdioConsole console;
  return tessaro::cli::RunCli(std::move(start.tokens), console, tessaro::WatchedRealFileSystem(),
                              start.language);
}

// The console on POSIX: standard output and error as raw UTF-8 bytes.
#include <unistd.h>

#include <cstdio>

#include "cli/console_posix.h"

namespace tessaro::cli {

void StdioConsole::Out(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void StdioConsole::Err(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

bool StdioConsole::ErrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tessaro::cli

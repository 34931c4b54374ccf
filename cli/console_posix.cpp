// The console on POSIX: standard output and error as raw UTF-8 bytes.
#include <errno.h>
#include <unistd.h>

#include <cstring>

#include "cli/console_posix.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {
namespace {

// All of text to fd, however the system splits it or a signal interrupts
// it; false with errno set when the system refuses.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

void StdioConsole::Out(std::string_view text) {
  const WholeLine whole;
  if (!WriteAll(STDOUT_FILENO, text)) Failed(false, std::strerror(errno));
}

void StdioConsole::Err(std::string_view text) {
  const WholeLine whole;
  if (!WriteAll(STDERR_FILENO, text)) Failed(true, std::strerror(errno));
}

bool StdioConsole::ErrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tessaro::cli

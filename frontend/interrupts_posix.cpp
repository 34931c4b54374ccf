// Stop signals on POSIX: the handler removes the new file, says so and exits.

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "frontend/interrupts.h"

namespace tessaro {
namespace {

// Read by the signal handler, so kept in static storage and only in the
// async-signal-safe way: the path is complete whenever armed is set.
volatile sig_atomic_t armed = 0;
char newFile[4096];
volatile sig_atomic_t newLineFirst = 0;
const char* stopped = "";
size_t stoppedLength = 0;

// 0: a stop ends the program at once; -1: a stop waits; above 0: the exit
// status of a stop that is waiting. One lock-free atomic, so that a handler
// on any thread and the program agree without a lock.
std::atomic<int> held{0};
static_assert(std::atomic<int>::is_always_lock_free);

[[noreturn]] void Stop(int status) {
  if (armed) ::unlink(newFile);
  // A progress line on the terminal is ended first.
  if (newLineFirst) (void)!::write(STDERR_FILENO, "\n", 1);
  (void)!::write(STDERR_FILENO, stopped, stoppedLength);
  ::_exit(status);
}

void OnStop(int signal) {
  int expected = -1;
  if (held.compare_exchange_strong(expected, 128 + signal) || expected > 0) return;
  Stop(128 + signal);
}

}  // namespace

void InstallInterruptHandlers(const char* stoppedMessage) {
  stopped = stoppedMessage;
  stoppedLength = std::strlen(stoppedMessage);
  newLineFirst = ::isatty(STDERR_FILENO) == 1;
  struct sigaction stop {};
  stop.sa_handler = OnStop;
  sigfillset(&stop.sa_mask);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction before {};
    if (::sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &stop, nullptr);
  }
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
}

void RememberNewFile(const std::string& path) {
  armed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (path.size() >= sizeof newFile) return;  // longer than any path open() takes
  std::memcpy(newFile, path.c_str(), path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  armed = 1;
}

void ForgetNewFile() { armed = 0; }

void HoldStops() {
  int expected = 0;
  held.compare_exchange_strong(expected, -1);
}

void ReleaseStops() {
  const int waiting = held.exchange(0);
  if (waiting > 0) Stop(waiting);
}

}  // namespace tessaro

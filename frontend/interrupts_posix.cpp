// Stop signals on POSIX: the handler removes the new file, says so and exits.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "engine/file_io.h"
#include "frontend/interrupts.h"
#include "frontend/stop_hold.h"
#include "frontend/stop_scope.h"

namespace tessaro {
namespace {

// Read by the signal handler, so kept in static storage and only in the
// async-signal-safe way: the folder and the name are complete whenever armed
// is set. The folder is held open, so that the file is found in it even
// when the folder has been renamed meanwhile.
volatile sig_atomic_t armed = 0;
int newFolder = -1;
char newName[256 * 4];
volatile sig_atomic_t newLineFirst = 0;
const char* stopped = "";
size_t stoppedLength = 0;
volatile sig_atomic_t reportArmed = 0;
char report[65536];
size_t reportLength = 0;
volatile sig_atomic_t inputSizeKnown = 0;
uint64_t inputSize = 0;
std::atomic<bool> stopping{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// All of text, in write() calls only, however the system splits it.
void WriteAll(int fd, const char* text, size_t length) {
  while (length > 0) {
    const ssize_t n = ::write(fd, text, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text += n;
    length -= static_cast<size_t>(n);
  }
}

// value in decimal, written.
void WriteNumber(uint64_t value) {
  char digits[20];
  size_t at = sizeof digits;
  do {
    digits[--at] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  WriteAll(STDOUT_FILENO, digits + at, sizeof digits - at);
}

// The report, its marks written as the status and the input's size.
void WriteReport(int status) {
  if (!reportArmed) return;
  size_t start = 0;
  for (size_t i = 0; i < reportLength; ++i) {
    if (report[i] != kStopStatusMark && report[i] != kStopInputSizeMark) continue;
    WriteAll(STDOUT_FILENO, report + start, i - start);
    if (report[i] == kStopStatusMark) {
      WriteNumber(static_cast<uint64_t>(status));
    } else if (inputSizeKnown) {
      WriteNumber(inputSize);
    } else {
      WriteAll(STDOUT_FILENO, "null", 4);
    }
    start = i + 1;
  }
  WriteAll(STDOUT_FILENO, report + start, reportLength - start);
}

void OnStop(int signal) {
  if (!StopWaits(128 + signal)) StopNow(128 + signal);
}

// Arms the handler with name in folder (a descriptor it then owns).
void Remember(int folder, const std::string& name) {
  if (folder < 0) return;
  if (name.size() >= sizeof newName) {  // longer than any name a folder holds
    ::close(folder);
    return;
  }
  newFolder = folder;
  std::memcpy(newName, name.c_str(), name.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  armed = 1;
}

}  // namespace

void StopNow(int status) {
  // No handler on this thread comes between from here on; a stop on another
  // thread finds this one under way and waits for the end with it.
  sigset_t all;
  sigfillset(&all);
  ::pthread_sigmask(SIG_BLOCK, &all, nullptr);
  if (stopping.exchange(true)) {
    for (;;) ::pause();
  }
  if (armed) RemoveRegularFileAt(newFolder, newName);
  // A progress line on the terminal is ended first.
  if (newLineFirst) WriteAll(STDERR_FILENO, "\n", 1);
  WriteAll(STDERR_FILENO, stopped, stoppedLength);
  WriteReport(status);
  ::_exit(status);
}

void InstallInterruptHandlers(const char* stoppedMessage) {
  stopped = stoppedMessage;
  stoppedLength = std::strlen(stoppedMessage);
  newLineFirst = ::isatty(STDERR_FILENO) == 1;
  struct sigaction stop {};
  stop.sa_handler = OnStop;
  // A call that a stop interrupts while it waits goes on as if nothing had
  // happened: a line of a report is never cut short by one.
  stop.sa_flags = SA_RESTART;
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
  ForgetNewFile();
  std::string name;
  const int folder = OpenFolderOf(path, &name);
  Remember(folder, name);
}

void RememberNewFile(const Destination& destination, const std::string& name) {
  if (destination.folder() < 0) return RememberNewFile(destination.PathOf(name));
  ForgetNewFile();
  Remember(::fcntl(destination.folder(), F_DUPFD_CLOEXEC, 0), name);
}

void ForgetNewFile() {
  armed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (newFolder >= 0) ::close(newFolder);
  newFolder = -1;
}

void SetStopReport(const std::string& text) {
  reportArmed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (text.empty() || text.size() > sizeof report) return;
  std::memcpy(report, text.data(), text.size());
  reportLength = text.size();
  std::atomic_signal_fence(std::memory_order_seq_cst);
  reportArmed = 1;
}

void SetStoppedInputSize(std::optional<uint64_t> size) {
  inputSizeKnown = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (!size) return;
  inputSize = *size;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  inputSizeKnown = 1;
}

}  // namespace tessaro

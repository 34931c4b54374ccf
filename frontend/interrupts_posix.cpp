// Stop signals on POSIX: the handler removes the new file, says so and exits.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "engine/file_io.h"
#include "frontend/interrupts.h"
#include "frontend/stop_hold.h"

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

// The report with each 0x01 replaced by status, in write() calls only.
void WriteReport(int status) {
  if (!reportArmed) return;
  const char digits[4] = {static_cast<char>('0' + status / 100 % 10),
                          static_cast<char>('0' + status / 10 % 10),
                          static_cast<char>('0' + status % 10), '\0'};
  const char* number = status >= 100 ? digits : digits + 1;
  size_t start = 0;
  for (size_t i = 0; i <= reportLength; ++i) {
    if (i < reportLength && report[i] != '\x01') continue;
    (void)!::write(STDOUT_FILENO, report + start, i - start);
    if (i < reportLength) (void)!::write(STDOUT_FILENO, number, std::strlen(number));
    start = i + 1;
  }
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
  if (armed) RemoveRegularFileAt(newFolder, newName);
  // A progress line on the terminal is ended first.
  if (newLineFirst) (void)!::write(STDERR_FILENO, "\n", 1);
  (void)!::write(STDERR_FILENO, stopped, stoppedLength);
  WriteReport(status);
  ::_exit(status);
}

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

}  // namespace tessaro

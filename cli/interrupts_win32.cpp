// Stop requests on Windows: the console's control handler runs on a thread of
// its own, removes the new file, says so and ends the process.

#include <windows.h>

#include <string>

#include "cli/console_win32.h"
#include "cli/interrupts.h"

namespace tessaro::cli {
namespace {

SRWLOCK newFileLock = SRWLOCK_INIT;
std::string newFile;  // empty: nothing to remove
const char* stopped = "";

BOOL WINAPI OnConsoleEvent(DWORD event) {
  UINT status = 0;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      status = 130;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      status = 129;
      break;
    default:
      return FALSE;
  }
  // The file was created with deletion shared, so it can go while the
  // conversion still holds it open; it vanishes when the process ends. The
  // lock is kept to the end: nothing may be remembered any more.
  AcquireSRWLockExclusive(&newFileLock);
  if (!newFile.empty()) RealFileSystem().Remove(newFile);
  Win32Console console;
  console.Err(stopped);
  ExitProcess(status);
}

}  // namespace

void InstallInterruptHandlers(const char* stoppedMessage) {
  stopped = stoppedMessage;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void RememberNewFile(const std::string& path) {
  AcquireSRWLockExclusive(&newFileLock);
  newFile = path;
  ReleaseSRWLockExclusive(&newFileLock);
}

void ForgetNewFile() {
  AcquireSRWLockExclusive(&newFileLock);
  newFile.clear();
  ReleaseSRWLockExclusive(&newFileLock);
}

}  // namespace tessaro::cli

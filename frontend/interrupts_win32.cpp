// Stop requests on Windows: the console's control handler runs on a thread of
// its own, removes the new file, says so and ends the process.

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>

#include "engine/wide_text.h"
#include "frontend/interrupts.h"

namespace tessaro {
namespace {

SRWLOCK newFileLock = SRWLOCK_INIT;
std::string newFile;  // empty: nothing to remove
const char* stopped = "";

// 0: a stop ends the program at once; -1: a stop waits; above 0: the exit
// status of a stop that is waiting.
std::atomic<int> held{0};

// The message to standard error: UTF-16 to a console window, the UTF-8
// bytes to a file or pipe.
void WriteStopped() {
  HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD done = 0;
  if (GetConsoleMode(h, &mode) != 0) {
    const std::wstring wide = Widen(stopped, BadText::kReplace);
    WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
  } else {
    WriteFile(h, stopped, static_cast<DWORD>(std::strlen(stopped)), &done, nullptr);
  }
}

// The file was created with deletion shared, so it can go while the
// conversion still holds it open; it vanishes when the process ends. The
// lock is kept to the end: nothing may be remembered any more.
[[noreturn]] void Stop(int status) {
  AcquireSRWLockExclusive(&newFileLock);
  if (!newFile.empty()) RealFileSystem().Remove(newFile);
  WriteStopped();
  ExitProcess(static_cast<UINT>(status));
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  int status = 0;
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
  int expected = -1;
  if (held.compare_exchange_strong(expected, status) || expected > 0) return TRUE;
  Stop(status);
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

void HoldStops() {
  int expected = 0;
  held.compare_exchange_strong(expected, -1);
}

void ReleaseStops() {
  const int waiting = held.exchange(0);
  if (waiting > 0) Stop(waiting);
}

}  // namespace tessaro

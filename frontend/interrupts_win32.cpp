// Stop requests on Windows: the console's control handler runs on a thread of
// its own, removes the new file, says so and ends the process.

#include <windows.h>

#include <cstring>
#include <string>

#include "engine/wide_text.h"
#include "frontend/interrupts.h"
#include "frontend/stop_hold.h"

namespace tessaro {
namespace {

SRWLOCK newFileLock = SRWLOCK_INIT;
std::string newFile;  // empty: nothing to remove
std::string report;   // SetStopReport's; guarded by newFileLock too
const char* stopped = "";

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

// The report to standard output with each 0x01 replaced by status.
void WriteReport(int status) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE || report.empty()) return;
  std::string text;
  for (const char c : report) {
    if (c == '\x01') {
      text += std::to_string(status);
    } else {
      text += c;
    }
  }
  DWORD done = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
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
  if (!StopWaits(status)) StopNow(status);
  return TRUE;
}

}  // namespace

// The file was created with deletion shared, so it can go while the
// conversion still holds it open; it vanishes when the process ends. The
// lock is kept to the end: nothing may be remembered any more.
void StopNow(int status) {
  AcquireSRWLockExclusive(&newFileLock);
  if (!newFile.empty()) RealFileSystem().Remove(newFile);
  WriteStopped();
  WriteReport(status);
  ExitProcess(static_cast<UINT>(status));
}

void InstallInterruptHandlers(const char* stoppedMessage) {
  stopped = stoppedMessage;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void RememberNewFile(const std::string& path) {
  AcquireSRWLockExclusive(&newFileLock);
  newFile = path;
  ReleaseSRWLockExclusive(&newFileLock);
}

void RememberNewFile(const Destination& destination, const std::string& name) {
  RememberNewFile(destination.PathOf(name));
}

void ForgetNewFile() {
  AcquireSRWLockExclusive(&newFileLock);
  newFile.clear();
  ReleaseSRWLockExclusive(&newFileLock);
}

void SetStopReport(const std::string& text) {
  AcquireSRWLockExclusive(&newFileLock);
  report = text;
  ReleaseSRWLockExclusive(&newFileLock);
}

}  // namespace tessaro

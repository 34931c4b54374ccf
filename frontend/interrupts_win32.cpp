// Stop requests on Windows: the console's control handler runs on a thread of
// its own, removes the new file, says so and ends the process.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "engine/wide_text.h"
#include "frontend/interrupts.h"
#include "frontend/stop_hold.h"
#include "frontend/stop_scope.h"

namespace tessaro {
namespace {

SRWLOCK newFileLock = SRWLOCK_INIT;
std::string newFile;  // empty: nothing to remove
std::string report;   // SetStopReport's; guarded by newFileLock too
std::optional<uint64_t> inputSize;  // SetStoppedInputSize's, likewise
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

// The report to standard output, its marks written as the status and the
// input's size.
void WriteReport(int status) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE || report.empty()) return;
  std::string text;
  for (const char c : report) {
    if (c == kStopStatusMark) {
      text += std::to_string(status);
    } else if (c == kStopInputSizeMark) {
      text += inputSize ? std::to_string(*inputSize) : "null";
    } else {
      text += c;
    }
  }
  const char* p = text.data();
  size_t left = text.size();
  DWORD done = 0;
  while (left > 0 && WriteFile(h, p, static_cast<DWORD>(left), &done, nullptr) && done > 0) {
    p += done;
    left -= done;
  }
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
  // The system ends the process as soon as a handler of a closing console
  // returns; this one waits instead for the program, which ends when what
  // holds the stop is done.
  if (status == 129) Sleep(INFINITE);
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

void SetStoppedInputSize(std::optional<uint64_t> size) {
  AcquireSRWLockExclusive(&newFileLock);
  inputSize = size;
  ReleaseSRWLockExclusive(&newFileLock);
}

}  // namespace tessaro

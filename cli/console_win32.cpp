// The console on Windows: UTF-16 to a console window, raw UTF-8 elsewhere.
#include "cli/console_win32.h"

#include <windows.h>

#include <algorithm>

#include "engine/file_io.h"
#include "engine/wide_text.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {
namespace {

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

// False when the system refused; GetLastError tells why.
bool WriteBytes(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD done = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    if (!WriteFile(h, bytes.data(), want, &done, nullptr)) return false;
    if (done == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(done);
  }
  return true;
}

bool WriteToConsole(HANDLE h, std::string& pending, std::string_view text) {
  pending.append(text);
  const size_t complete = CompleteUtf8Prefix(pending);
  std::wstring wide = Widen(std::string_view(pending).substr(0, complete), BadText::kReplace);
  pending.erase(0, complete);
  const wchar_t* p = wide.data();
  size_t left = wide.size();
  while (left > 0) {
    DWORD done = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(left, 8192));
    if (!WriteConsoleW(h, p, want, &done, nullptr)) return false;
    if (done == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    p += done;
    left -= done;
  }
  return true;
}

// False when the stream is there but refused the text.
bool Write(DWORD which, std::string& pending, std::string_view text) {
  const WholeLine whole;
  HANDLE h = GetStdHandle(which);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return true;  // no stream: nothing to write to
  return IsConsole(h) ? WriteToConsole(h, pending, text) : WriteBytes(h, text);
}

// The system's words for the last call that failed.
std::string LastReason() { return RealFileSystem().LastErrorText(); }

}  // namespace

size_t CompleteUtf8Prefix(std::string_view text) {
  // Look back at most three bytes for the lead byte of the last character.
  const size_t n = text.size();
  for (size_t back = 1; back <= 4 && back <= n; ++back) {
    const auto c = static_cast<unsigned char>(text[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    size_t need = 1;
    if ((c & 0xE0) == 0xC0) need = 2;
    else if ((c & 0xF0) == 0xE0) need = 3;
    else if ((c & 0xF8) == 0xF0) need = 4;
    return back < need ? n - back : n;
  }
  return n;  // no lead byte nearby: invalid text, passed on as it is
}

void Win32Console::Out(std::string_view text) {
  if (!Write(STD_OUTPUT_HANDLE, pendingOut_, text)) Failed(false, LastReason());
}

void Win32Console::Err(std::string_view text) {
  if (!Write(STD_ERROR_HANDLE, pendingErr_, text)) Failed(true, LastReason());
}

// GetConsoleMode, unlike _isatty, is false for NUL.
bool Win32Console::ErrIsTerminal() { return IsConsole(GetStdHandle(STD_ERROR_HANDLE)); }

}  // namespace tessaro::cli

// Standard input and output on Windows, and the files "-" is spooled
// through. The standard handles are read and written as they are, in
// bytes: no text mode comes between.
#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

#include "cli/standard_streams.h"
#include "engine/wide_text.h"
#include "frontend/interrupts.h"

namespace tessaro::cli {
namespace {

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

// A handle of this process's own to a standard stream; nullptr without one.
HANDLE OwnHandle(DWORD which) {
  const HANDLE h = GetStdHandle(which);
  HANDLE own = nullptr;
  if (h == nullptr || h == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &own, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return own;
}

// A standard stream read or written in turn; it has no size and no seek.
class StreamFile final : public File {
 public:
  explicit StreamFile(HANDLE h) : handle_(h) {}
  ~StreamFile() override {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;

  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    *got = 0;
    while (*got < n) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(n - *got, 1u << 20));
      DWORD done = 0;
      if (!ReadFile(handle_, buf + *got, want, &done, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE) break;  // the writer has closed its end
        return false;
      }
      if (done == 0) break;
      *got += done;
    }
    return true;
  }
  bool Write(const uint8_t* buf, size_t n) override {
    while (n > 0) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 20));
      DWORD done = 0;
      if (!WriteFile(handle_, buf, want, &done, nullptr) || done == 0) return false;
      buf += done;
      n -= done;
    }
    return true;
  }
  bool Seek(uint64_t) override { return false; }
  bool Size(uint64_t*) override { return false; }
  bool Truncate(uint64_t) override { return false; }
  bool Sync() override { return true; }
  bool Close() override {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = nullptr;
    return closed;
  }

 private:
  HANDLE handle_;
};

class Win32StandardStreams final : public StandardStreams {
 public:
  bool InputIsTerminal() override { return IsConsole(GetStdHandle(STD_INPUT_HANDLE)); }
  bool OutputIsTerminal() override { return IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)); }

  // Always read to its end into a spool: a file's current position is not
  // the CRT's to share.
  std::unique_ptr<File> Input(bool* whole) override {
    *whole = false;
    const HANDLE h = OwnHandle(STD_INPUT_HANDLE);
    if (h == nullptr) return nullptr;
    return std::make_unique<StreamFile>(h);
  }

  std::string InputPath() override { return {}; }

  // A file in the temporary folder, deleted as soon as it is open: opened
  // with deletion shared, it stays readable and writable through its handle
  // and goes when the handle closes, or the program ends. It is remembered
  // before it exists, so that a stop in between removes it.
  std::unique_ptr<File> CreateSpool() override {
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH) return nullptr;
    std::random_device random;
    const std::string path = Narrow(std::wstring(folder, n), BadText::kReplace) + ".tessaro-spool-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(random());
    RememberNewFile(path);
    std::unique_ptr<File> file = RealFileSystem().CreateExclusive(path, nullptr);
    if (file) RealFileSystem().Remove(path);
    const DWORD error = GetLastError();
    ForgetNewFile();
    SetLastError(error);
    return file;
  }

  std::unique_ptr<File> TakeOutput() override {
    const HANDLE data = OwnHandle(STD_OUTPUT_HANDLE);
    const DWORD error = GetLastError();
    SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
    SetLastError(error);
    if (data == nullptr) return nullptr;
    return std::make_unique<StreamFile>(data);
  }
};

}  // namespace

StandardStreams& ProcessStandardStreams() {
  static Win32StandardStreams streams;
  return streams;
}

}  // namespace tessaro::cli

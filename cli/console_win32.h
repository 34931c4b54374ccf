#pragma once
// The console program's console on Windows.

#include <string>
#include <string_view>

#include "cli/console.h"

namespace tessaro::cli {

// The process's standard output and error on Windows. To a console window
// the UTF-8 text goes out as UTF-16 (WriteConsoleW), so it shows right under
// any console code page; to a pipe or a file it goes out as the raw UTF-8
// bytes, "\n" unchanged.
class Win32Console final : public Console {
 public:
  void Out(std::string_view text) override;
  void Err(std::string_view text) override;
  bool ErrIsTerminal() override;

 private:
  // Bytes of a UTF-8 character that a write cut in two, held for the next
  // write to a console.
  std::string pendingOut_;
  std::string pendingErr_;
};

// The length of the longest prefix of text that ends on a UTF-8 character
// boundary (a cut multi-byte sequence at the end is left out).
size_t CompleteUtf8Prefix(std::string_view text);

}  // namespace tessaro::cli

#pragma once
// The console program's console on POSIX.

#include "cli/console.h"

namespace tessaro::cli {

// The process's standard output and error; UTF-8 bytes as they are.
class StdioConsole final : public Console {
 public:
  void Out(std::string_view text) override;
  void Err(std::string_view text) override;
  bool ErrIsTerminal() override;
};

}  // namespace tessaro::cli

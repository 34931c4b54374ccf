#pragma once
// A console that keeps what the program prints.

#include <string>
#include <string_view>

#include "cli/console.h"

namespace tessaro::testing {

class MemoryConsole final : public cli::Console {
 public:
  void Out(std::string_view text) override { out.append(text); }
  void Err(std::string_view text) override { err.append(text); }
  bool ErrIsTerminal() override { return false; }

  std::string out;
  std::string err;
};

}  // namespace tessaro::testing

#pragma once
// Where the console program writes: the platform's standard streams, or a
// capture in tests.

#include <string_view>

namespace tessaro::cli {

class Console {
 public:
  virtual ~Console() = default;
  // UTF-8 text, written as given ("\n" line ends).
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
  // True when standard error is an interactive terminal (progress is shown only there).
  virtual bool ErrIsTerminal() = 0;
};

}  // namespace tessaro::cli

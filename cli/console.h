#pragma once
// Where the console program writes: the platform's standard streams, or a
// capture in tests.

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::cli {

// A write to standard output or error that did not go through.
struct StreamFailure {
  bool standardError = false;  // else standard output
  std::string reason;          // the system's words ("No space left on device")
};

class Console {
 public:
  virtual ~Console() = default;
  // UTF-8 text, written whole as given ("\n" line ends): a stop waits for it
  // (frontend/stop_scope.h, WholeLine).
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
  // True when standard error is an interactive terminal (progress is shown only there).
  virtual bool ErrIsTerminal() = 0;

  // The first write that failed; none while every write has gone through.
  const std::optional<StreamFailure>& failure() const { return failure_; }

 protected:
  void Failed(bool standardError, std::string reason) {
    if (!failure_) failure_ = StreamFailure{standardError, std::move(reason)};
  }

 private:
  std::optional<StreamFailure> failure_;
};

}  // namespace tessaro::cli

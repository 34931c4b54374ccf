#pragma once
// The console program's ConversionHost, and what every form shares about a
// finished conversion: its plain-line text and its exit status.

#include <chrono>
#include <string>

#include "cli/console.h"
#include "engine/conversion_host.h"
#include "engine/conversion_result.h"
#include "frontend/exit_status.h"

namespace tessaro::cli {

// "\r\n" becomes "\n", and the text ends with exactly the "\n" it had or one more.
std::string ConsoleText(const std::string& text);

// Reports to the terminal: the info text is kept for the caller, the damage
// report goes to standard error at once (unless quiet), progress only to a
// terminal, behind an optional label such as "[2/5] ".
class CliHost final : public ConversionHost {
 public:
  explicit CliHost(Console& console, std::string progressLabel = {}, bool quiet = false)
      : console_(console),
        progressLabel_(std::move(progressLabel)),
        showProgress_(console.ErrIsTerminal()),
        quiet_(quiet) {}

  void SetProgress(int percent) override;
  void SetInfoText(const std::string& text, bool) override { info_ = text; }
  void AppendInfoText(const std::string& text, bool) override { info_ += text; }
  void PumpEvents() override {}
  void ShowErrorMessage(const std::string& text, int) override;

  // Puts label (such as "[2/5] song.aac\n") in front of every message on
  // standard error, so that a log of several files tells whose it is.
  void LabelMessages(std::string label) { messageLabel_ = std::move(label); }
  // Ends the progress line so that whatever follows starts on a line of its own.
  void EndProgress();
  const std::string& info() const { return info_; }
  // The messages shown (the damage report, the warning about a WAV without
  // frames), also where quiet kept them off standard error.
  const std::string& messages() const { return messages_; }

 private:
  Console& console_;
  std::string progressLabel_;
  std::string messageLabel_;
  bool showProgress_;
  bool quiet_;
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
  std::string info_;
  std::string messages_;
};

}  // namespace tessaro::cli

// The console program's ConversionHost, plain-line text and exit statuses.
#include "cli/cli_host.h"

#include <cstdio>

namespace tessaro::cli {

std::string ConsoleText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

void CliHost::SetProgress(int percent) {
  if (!showProgress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (progressShown_ && percent != 100 && now - lastProgress_ < std::chrono::milliseconds(100)) {
    return;
  }
  lastProgress_ = now;
  progressShown_ = true;
  char line[32];
  std::snprintf(line, sizeof line, "%3d%%", percent > 100 ? 100 : percent);
  console_.Err("\r" + progressLabel_ + line);
}

void CliHost::ShowErrorMessage(const std::string& text, int) {
  messages_ += text;
  EndProgress();
  if (!quiet_) console_.Err(messageLabel_ + ConsoleText(text));
}

void CliHost::EndProgress() {
  if (progressShown_) console_.Err("\n");
  progressShown_ = false;
}

}  // namespace tessaro::cli

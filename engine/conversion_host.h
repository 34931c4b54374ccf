#pragma once
// The inputs of one conversion and the operations through which it reports.

#include <cstdint>
#include <string>

namespace tessaro {

// Filled by the Convert command from the front end's fields and handed to a
// conversion by value. Paths are UTF-8 byte strings.
struct ConversionRequest {
  std::string inputPath;
  std::string outputPath;
  int outputSize = 0;    // 0: 16-bit container ("1/1"), any other value: 8-bit ("1/2")
  int32_t delayMs = 0;   // AAC to WAV only: positive shifts the stream later
};

// Implemented by every front end. A conversion touches no window or terminal;
// everything it shows goes through these calls.
class ConversionHost {
 public:
  virtual ~ConversionHost() = default;

  // percent is normally 0..100; a last frame cut short can push it past 100.
  virtual void SetProgress(int percent) = 0;
  // Info text is held by the host: replaced once near the start of a
  // conversion, then appended to. redraw makes the change visible now.
  virtual void SetInfoText(const std::string& text, bool redraw) = 0;
  virtual void AppendInfoText(const std::string& text, bool redraw) = 0;
  // Dispatches whatever the front end has pending and returns at once.
  virtual void PumpEvents() = 0;
  // Shows an error report and returns when it has been dismissed; writeLog
  // nonzero also records it in the error log.
  virtual void ShowErrorMessage(const std::string& text, int writeLog) = 0;
};

}  // namespace tessaro

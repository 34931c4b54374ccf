#pragma once
// The operations through which a conversion reports to its front end.

#include <string>

namespace tessaro {

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

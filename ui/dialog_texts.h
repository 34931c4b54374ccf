#pragma once
// The dialog logic's own texts (error window, settings file, error log), one
// table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct DialogTexts {
  Format<double> countdown;                   // seconds left, "%5.1f"
  Format<const char*> settingsNotOpenable;    // the settings file's path
  Text logInputFileOpen;                      // opens the log line's name field
  // The damage report's second line, which the log line leaves out.
  Text logDroppedSentence;
};

const DialogTexts& DialogTextsFor(Language language);

}  // namespace tessaro

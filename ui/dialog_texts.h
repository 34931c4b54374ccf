#pragma once
// The dialog logic's own texts (error window, settings file, error log,
// cancelling; a queue's summary and its refusals are those of every run of
// files, frontend/frontend_texts.h), one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct DialogTexts {
  Format<double> countdown;                   // seconds left, "%5.1f"
  Format<const char*, const char*> settingsNotOpenable;  // the settings file's path, " (reason)"
  Text logInputFileOpen;                      // opens the log line's name field
  // The damage report's second line, which the log line leaves out.
  Text logDroppedSentence;
  // The convert button while a conversion runs.
  Text cancelButton;
  // The information box after the user stopped a conversion.
  Text stopped;
  // "Show the output in its folder" found nothing to show it with: the output.
  Format<const char*> folderNotShown;
  // How the warning about a WAV without frames tells the user to ask for
  // the editors' flavour: the check box's label, in the warning's sentence.
  Text editorsChoice;
};

const DialogTexts& DialogTextsFor(Language language);

}  // namespace tessaro

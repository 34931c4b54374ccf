#pragma once
// The dialog logic's own texts (error window, settings file, error log,
// cancelling and queues of files), one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct DialogTexts {
  Format<double> countdown;                   // seconds left, "%5.1f"
  Format<const char*> settingsNotOpenable;    // the settings file's path
  Text logInputFileOpen;                      // opens the log line's name field
  // The damage report's second line, which the log line leaves out.
  Text logDroppedSentence;
  // The convert button while a conversion runs.
  Text cancelButton;
  // The information box after the user stopped a conversion.
  Text stopped;
  // A file of a queue whose output would replace one of the queue's inputs
  // or an earlier file's output: the other file's name.
  Format<const char*> queueOverwrites;
  // The queue's last line: files, converted, converted with damage, failed.
  Format<int, int, int, int> queueSummary;
};

// Above each file's report in a queue, in every language: its place, the
// count, its name.
inline constexpr Format<int, int, const char*> kQueueHeader{"[%d/%d] %s\r\n"};

const DialogTexts& DialogTextsFor(Language language);

}  // namespace tessaro

#pragma once
// The engine's report lines and messages, one table per language.

#include <string_view>

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct EngineTexts {
  // The report lines of the info box.
  Format<const char*> inputSize;      // byte count
  Format<const char*> outputSize;     // byte count
  Text timeLinePrefix;                // before "HH:MM:SS.hh"
  Format<int, int> samplingLineWav;   // Hz, channels
  Format<int, int, int> samplingLineAac;  // Hz, channels, delay in ms
  // Behind the first 1,000 mismatch records, on a line of its own.
  Format<const char*> moreMismatches;

  // The failure messages, each replacing the info text.
  Text inputNotOpenable;
  Text outputNotOpenable;
  Text inputBroken;
  Format<int, int> inputBrokenChunk;  // a chunk's size, the bytes left for it
  Text notWav;
  Text badInputName;  // ends without a line break
  Text readFailed;
  Text writeFailed;
  Text delayTooLarge;
  Text unexpected;
  // An existing output of the input's own kind, which is not replaced.
  Text outputIsAac;
  Text outputIsWav;
  // An output path through another user's link in a shared folder.
  Text outputLinkInSharedFolder;

  // The reports shown in the error window (and logged).
  Text damageReportHead;
  Format<int> damageReportCount;  // number of damaged regions, then "\r\n"
  Text anomalyEntryPrefix;        // one listed position, before "HH:MM:SS.hh"
  Text noFrameFound;
};

const EngineTexts& EngineTextsFor(Language language);

// The stable ASCII name of the engine's message that text is, in either
// language ("input_not_openable"), for reports that scripts read: the failure
// messages, the damage report ("stream_damaged", matched by its head) and the
// no-frame warning. nullptr for any other text.
const char* EngineMessageCode(std::string_view text);

}  // namespace tessaro

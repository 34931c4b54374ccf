#pragma once
// The engine's report lines and messages, one table per language.

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

  // The failure messages, each replacing the info text. Where the English
  // names the file and the system's reason, the Japanese keeps its fixed
  // text and takes both without showing them ("%.0s").
  Format<const char*, const char*> inputNotOpenable;   // input path, reason
  Format<const char*, const char*> outputNotOpenable;  // output path, reason
  Text inputBroken;
  // A chunk's size (the English reads it unsigned) and the file offset just
  // behind its size field.
  Format<int, int> inputBrokenChunk;
  Text notWav;
  Text badInputName;  // ends without a line break
  Format<const char*, const char*> readFailed;   // input path, reason
  Format<const char*, const char*> writeFailed;  // output path, reason
  // A delay outside what the container can hold: the delay, the smallest and
  // the largest one; given by an option, or stated by the input's name
  // (which only a new name changes).
  Format<const char*, const char*, const char*> delayTooLarge;
  Format<const char*, const char*, const char*> delayInNameTooLarge;
  Text unexpected;
  // An existing output of the input's own kind, which is not replaced: the
  // output path.
  Format<const char*> outputIsAac;
  Format<const char*> outputIsWav;
  // An output path through another user's link in a shared folder.
  Format<const char*> outputLinkInSharedFolder;
  // An existing output that is another user's file in a shared folder.
  Format<const char*> outputFileOfAnotherUser;  // output path
  // The engine's own reasons why an output cannot be opened, where the
  // system gives none.
  Text outputIsTheInput;
  Text outputNotARegularFile;
  Text outputNotWritable;

  // The reports shown in the error window (and logged).
  Text damageReportHead;
  Format<int> damageReportCount;  // number of damaged regions, then "\r\n"
  Text anomalyEntryPrefix;        // one listed position, before "HH:MM:SS.hh"
  // A WAV without frames: what most likely happened, and what to do; the
  // remedy names how to ask for the editors' flavour (editorsOption, or the
  // window's choice).
  Format<const char*> noFrameFound;
  Format<const char*> noIntactFrame;  // blocks were found, but each failed its checksum
  Text editorsOption;                 // the console option, as the remedy words it
};

const EngineTexts& EngineTextsFor(Language language);

}  // namespace tessaro

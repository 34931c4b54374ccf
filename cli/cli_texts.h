#pragma once
// The console program's own texts, one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro::cli {

struct CliTexts {
  Text usage;      // the one-file form; alone after a run without input
  Text moreForms;  // the other forms, below the usage line
  Text help;       // below both, for --help

  // Usage errors of the console's own forms, each followed by the usage
  // lines (those both programs share are in frontend/frontend_texts.h).
  Text outDirWithoutFolder;
  Text outDirWithoutBatch;
  Text tooManyPaths;  // the one-file form: more than two paths
  Text batchWithCheck;
  // "-" for standard input or output where it cannot stand.
  Text standardStreamInBatchOrCheck;
  Text standardInputWithoutOutput;
  Format<const char*> directionUnknown;  // the output's name
  Text inputIsTerminal;
  Text outputIsTerminal;
  // The output's name, the delay it states, the delay again for -d.
  Format<const char*, int, int> delayTagInOutputName;

  // The last line of --check: files, then the three counts (--batch's is
  // the run summary shared with the dialog, frontend/frontend_texts.h).
  Format<int, int, int, int> checkSummary;

  // The --check report, around the engine's report lines.
  Format<unsigned long long, const char*> checkWavLayout;  // data start, block length
  Format<const char*> checkMismatchCount;                  // the count grouped, then the records
  Format<unsigned long long> checkFrameCount;              // then the time line
  // A WAV's blocks, between the frame count and the time line, where some
  // had the editors' flavour: which flavours they had.
  Format<const char*> checkFlavours;
  Text flavourEditors;
  Text flavourMixed;
};

const CliTexts& CliTextsFor(Language language);

}  // namespace tessaro::cli

#pragma once
// The console program's own texts, one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro::cli {

struct CliTexts {
  Text usage;      // the one-file form; alone after a run without input
  Text moreForms;  // the other forms, below the usage line
  Text help;       // below both, for --help

  // Usage errors, each followed by the usage lines.
  Text outDirWithoutFolder;
  Text outDirWithoutBatch;
  Text noInputFiles;
  Format<const char*> unknownOption;  // the one-file form: the option as given
  Text tooManyPaths;                  // the one-file form: more than two paths

  // The last line of --check: files, then the three counts (--batch's is
  // the run summary shared with the dialog, frontend/frontend_texts.h).
  Format<int, int, int, int> checkSummary;

  // The --check report, around the engine's report lines.
  Format<unsigned long long, const char*> checkWavLayout;  // data start, block length
  Format<const char*> checkMismatchCount;                  // the count grouped, then the records
  Format<unsigned long long> checkFrameCount;              // then the time line

  // A --batch file that is not converted: its output is another input of the
  // batch, or an earlier file of the batch has written it (either's path).
  Format<const char*> outputIsAnInput;
  Format<const char*, const char*, const char*> outputWrittenBefore;  // output, earlier, skipped
};

const CliTexts& CliTextsFor(Language language);

}  // namespace tessaro::cli

#pragma once
// The console program's own texts, one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro::cli {

struct CliTexts {
  // The --check report, around the engine's report lines.
  Format<unsigned long long, const char*> checkWavLayout;  // data start, block length
  Format<unsigned> checkMismatchCount;                     // then the records
  Format<unsigned long long> checkFrameCount;              // then the time line
};

const CliTexts& CliTextsFor(Language language);

}  // namespace tessaro::cli

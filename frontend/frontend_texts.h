#pragma once
// The texts every program's command-line run shares, one table per language.

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro {

struct FrontEndTexts {
  // On standard error when a stop ends the program.
  Text stopped;

  // On standard error when standard output, or standard error itself, could
  // not be written (the system's reason): the run ends with status 1.
  Format<const char*> outputNotWritten;
  Format<const char*> errorNotWritten;

  // The last line of a run of several files, without its line end: the
  // files, converted, converted with damage, failed.
  Format<int, int, int, int> runSummary;

  // The dialog program's --help: the usage line, the "--open" form (Qt
  // only, which file managers start it with), then the description.
  Text dialogUsage;
  Text dialogOpenForm;
  Text dialogHelp;
};

const FrontEndTexts& FrontEndTextsFor(Language language);

}  // namespace tessaro

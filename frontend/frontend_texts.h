#pragma once
// The texts every program's command-line run shares, one table per language.

#include <string>

#include "engine/language.h"
#include "engine/text_types.h"
#include "frontend/own_file_guard.h"

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

  // A file of a run of several (a console batch, the dialog's queue) that is
  // not converted because its output would replace one of the run's own
  // files: another of its inputs (that input; the file skipped), or what an
  // earlier file has written (the output, the earlier file, the file skipped).
  Format<const char*, const char*> outputIsAnInput;
  Format<const char*, const char*, const char*> outputWrittenBefore;

  // Usage errors both programs word alike, each followed by the usage lines:
  // the argument as given where one is named.
  Format<const char*> unknownOption;
  Format<const char*> delayWithoutNumber;  // "-d", "-d 7", "-d12ms"
  Format<const char*> unknownLanguage;     // "--lang=fr"
  Text dashAlone;                          // "-", which names no file yet
  Text noInputFiles;
  // The dialog program's own: an option only the console program takes, and
  // a third path.
  Format<const char*> consoleOnlyOption;
  Text dialogTooManyPaths;

  // The dialog program's --help: the usage line, the "--open" form (Qt
  // only, which file managers start it with), then the description.
  Text dialogUsage;
  Text dialogOpenForm;
  Text dialogHelp;
};

const FrontEndTexts& FrontEndTextsFor(Language language);

// The message of a file of a run of several that is not converted because its
// output would replace one of the run's own files (hit): the names the front
// end shows for the output, the other file and the file skipped.
std::string OwnFileRefusal(const OwnFileHit& hit, const std::string& output,
                           const std::string& other, const std::string& skipped, Language language);

}  // namespace tessaro

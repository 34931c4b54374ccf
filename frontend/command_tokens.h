#pragma once
// The arguments of a command line read by the option table
// (frontend/option_table.h), the same way for both programs, and a
// conversion request made from them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_request.h"
#include "engine/failure.h"
#include "engine/language.h"
#include "frontend/option_table.h"

namespace tessaro {

// What a program is asked besides a run: --help / -h or --version / -V.
enum class InfoRequest { kNone, kHelp, kVersion };

// What -s1, -s2, -d<ms> and --for-editors set, for every file of a run.
struct ConversionOptions {
  std::optional<int> outputSize;  // the last -s1 (0) or -s2 (1)
  int32_t delayMs = 0;            // the last -d<ms>; 0 leaves the delay the name states
  bool forEditors = false;        // --for-editors: the editors' block flavour
};

// Arguments that do not form a run: the first slip, with the argument at
// fault as given ("" where the whole form is at fault).
struct UsageError {
  Failure failure = Failure::kNone;
  std::string token;
};

struct CommandArguments {
  InfoRequest info = InfoRequest::kNone;  // the first one asked for
  std::optional<Language> language;       // the last --lang=
  ConversionOptions conversion;
  // The console program's own.
  bool batch = false;
  bool check = false;
  bool json = false;
  std::optional<std::string> outDir;
  // Every argument that is not an option, in order; after "--" every one.
  std::vector<std::string> paths;
  bool optionsEnded = false;  // "--" was read
  UsageError usage;
};

// Reads the arguments (after the program name) in order. A token that begins
// with "-" is an option of the table, else a usage error: kDelayWithoutNumber
// for "-d" with no whole number joined (nothing, a blank, a sign or a digit
// follows it, but no number), kUnknownLanguage for another "--lang=",
// kOutDirWithoutFolder for "--out-dir" with nothing to name the folder, and
// kUnknownOption for every other token and, for the dialog program, "-"
// alone and the console's own options. Reading goes on after a slip, so
// that the language and a help or version request are still found. An
// empty token is a path, and so is "-" for the console program (standard
// input or output; its reader says where it may stand).
CommandArguments ReadArguments(const std::vector<std::string>& tokens, ProgramKind program);

// The dialog program's command-line run: ReadArguments, then an input and at
// most an output (kNoInputFiles, kTooManyPaths).
CommandArguments ReadDialogArguments(const std::vector<std::string>& tokens);

// The request for paths (INPUT [OUTPUT]) under the options, starting from
// `start` (the values in force before the run): the first path is the input,
// the output path is proposed from it and, for an ".aac" input, the delay its
// name states; the second path replaces the output path. A nonzero -d then
// overrides the delay; --for-editors asks for the editors' flavour (without
// it the flavour of start stands).
ConversionRequest RequestFor(const ConversionOptions& options, const std::vector<std::string>& paths,
                             const ConversionRequest& start);

// True when the input's name states delayMs (a delay tag that is not 0), so
// that a message about the delay can say where it came from. (RequestFor
// marks its request so itself: a nonzero -d is never the name's.)
bool DelayFromName(const std::string& inputPath, int32_t delayMs);

// The message of a usage error that both programs word alike, in language;
// "" for the console program's own (--out-dir, --batch with --check, too
// many paths, no input).
std::string SharedUsageMessage(const UsageError& usage, Language language);

// The dialog program's message of a usage error, then its usage line.
std::string DialogUsageError(const UsageError& usage, Language language);

}  // namespace tessaro

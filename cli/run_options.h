#pragma once
// The console program's one reader of its arguments, for every form:
//   tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]
//   tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir DIR] [--json] FILE...
//   tessaro-cli --check [--json] FILE...
//   tessaro-cli --json [-s1|-s2] [-d<ms>] INPUT [OUTPUT]
// each with --lang=ja|en anywhere among the options, and "--" ending them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_request.h"
#include "engine/failure.h"
#include "frontend/command_tokens.h"

namespace tessaro::cli {

struct RunOptions {
  InfoRequest info = InfoRequest::kNone;  // --help or --version: answered, nothing else
  bool batch = false;
  bool check = false;
  bool json = false;
  std::optional<std::string> outDir;
  // What -s1, -s2 and -d<ms> set, applied to each file so that they mean
  // what they mean in one-file runs.
  ConversionOptions conversion;
  std::vector<std::string> files;
  // Not kNone: the arguments do not form a run (the first such reason).
  Failure usage = Failure::kNone;
  std::string usageToken;  // the argument at fault, as given
  Language language;       // of the requests and texts
};

// "-" in place of a file: standard input as the input, standard output as
// the output, in the one-file and --json forms.
inline constexpr std::string_view kStandardStream = "-";

// The arguments read by the option table (frontend/option_table.h), with the
// console program's rules on top: more than two files in the one-file and
// --json forms, --out-dir without --batch, --batch with --check, or no file
// at all are usage errors too, and so is "-" where it cannot stand: with
// --batch or --check, as the input without an output, as the input with an
// output whose name ends in neither ".wav" nor ".aac" (which would tell the
// direction), or as the input of an output whose name states a delay
// (which only -d gives standard input).
RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language);

inline bool ReadsStandardInput(const RunOptions& options) {
  return !options.batch && !options.check && !options.files.empty() &&
         options.files[0] == kStandardStream;
}
inline bool WritesStandardOutput(const RunOptions& options) {
  return !options.batch && !options.check && options.files.size() == 2 &&
         options.files[1] == kStandardStream;
}

// Options that read "-" from a terminal, or would write converted audio to
// one, are refused as usage errors (unless already refused).
void RefuseTerminals(RunOptions& options, bool inputIsTerminal, bool outputIsTerminal);

// The message of a usage error; "" where the usage lines say it all.
std::string UsageMessage(const RunOptions& options);

// The one-file form: neither --batch, --check nor --json.
inline bool IsOneFileForm(const RunOptions& options) {
  return !options.batch && !options.check && !options.json;
}

// The request for the options and paths (INPUT [OUTPUT]), made by the shared
// reader (output proposed from the input's name, delay from its tag), in the
// options' language. For "-" as the input with a named output, the
// direction that makes the output's kind.
ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths);

// The request for one file of a run over several.
inline ConversionRequest RequestFor(const RunOptions& options, const std::string& file) {
  return RequestFor(options, std::vector<std::string>{file});
}

}  // namespace tessaro::cli

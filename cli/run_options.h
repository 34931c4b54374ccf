#pragma once
// The arguments of the forms that take several files or report as JSON:
//   tessaro-cli --batch [-s1|-s2] [-d<ms>] [--out-dir DIR] [--json] FILE...
//   tessaro-cli --check [--json] FILE...
//   tessaro-cli --json [-s1|-s2] [-d<ms>] INPUT [OUTPUT]

#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_request.h"
#include "frontend/command_tokens.h"

namespace tessaro::cli {

struct RunOptions {
  bool batch = false;
  bool check = false;
  bool json = false;
  std::optional<std::string> outDir;
  // "-s1", "-d<ms>" and every other "-" token, read by the one token reader
  // together with each file, so that they mean what they mean in one-file runs.
  std::vector<std::string> optionTokens;
  std::vector<std::string> files;
  std::string usageError;  // not empty: the arguments do not form a run
  Language language = Language::kJapanese;  // of the requests and texts
};

// True when one of --batch, --check, --json or --out-dir is among the
// arguments; otherwise they form a one-file run.
bool IsReportForm(const std::vector<std::string>& args);

// The one-file form, tessaro-cli [-s1|-s2] [-d<ms>] INPUT [OUTPUT]: tokens
// that begin with "-s" or "-d" and "--lang=..." are options, "--" ends the
// options, every other token that begins with "-" is a usage error, and so
// are more than two paths. The request is in language.
struct OneFileRun {
  CommandTokens read;
  std::string usageError;  // not empty: the arguments do not form a run
};
OneFileRun ReadOneFileRun(const std::vector<std::string>& args, Language language);

RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language);

// The request for the option tokens followed by paths (INPUT [OUTPUT]), read
// by the shared token reader (output proposed from the input's name, delay
// from its tag), in the options' language.
ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths);

// The request for one file of a run over several.
inline ConversionRequest RequestFor(const RunOptions& options, const std::string& file) {
  return RequestFor(options, std::vector<std::string>{file});
}

}  // namespace tessaro::cli

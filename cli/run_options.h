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
  // "-s1", "-s2" and "-d<ms>" in their order, read by the shared token reader
  // together with each file, so that they mean what they mean in one-file runs.
  std::vector<std::string> optionTokens;
  std::vector<std::string> files;
  // Not kNone: the arguments do not form a run (the first such reason).
  Failure usage = Failure::kNone;
  std::string unknownOption;  // kUnknownOption: the token as given
  Language language;          // of the requests and texts
};

// The options every form knows, exactly as written; "-d" takes its integer
// joined ("-d-120"), "--out-dir" its folder as the next token or joined by
// "=". Every other token that begins with "-" is an unknown option; after
// "--" every token is a file. More than two files in the one-file and --json
// forms, --out-dir without --batch, or no file at all are usage errors too.
inline constexpr std::string_view kKnownOptions[] = {
    "-s1",     "-s2",     "-d", "--lang=ja", "--lang=en", "--out-dir", "--json",
    "--batch", "--check", "-h", "--help",    "-V",        "--version", "--"};

RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language);

// The one-file form: neither --batch, --check nor --json.
inline bool IsOneFileForm(const RunOptions& options) {
  return !options.batch && !options.check && !options.json;
}

// The request for the option tokens followed by paths (INPUT [OUTPUT]), read
// by the shared token reader (output proposed from the input's name, delay
// from its tag), in the options' language.
ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths);

// The request for one file of a run over several.
inline ConversionRequest RequestFor(const RunOptions& options, const std::string& file) {
  return RequestFor(options, std::vector<std::string>{file});
}

}  // namespace tessaro::cli

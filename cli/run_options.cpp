// Reading the console program's arguments.
#include "cli/run_options.h"

#include <cctype>


namespace tessaro::cli {
namespace {

// "-d" followed by an optional sign and at least one digit, nothing else.
bool IsDelayOption(const std::string& token) {
  if (!token.starts_with("-d")) return false;
  size_t i = 2;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  if (i == token.size()) return false;
  for (; i < token.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(token[i]))) return false;
  }
  return true;
}

bool IsKnownOption(const std::string& token) {
  if (IsDelayOption(token) || token.starts_with("--out-dir=")) return true;
  for (const std::string_view known : kKnownOptions) {
    if (token == known && known != "-d") return true;
  }
  return false;
}

}  // namespace

RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language) {
  RunOptions options;
  options.language = language;
  const auto fail = [&options](Failure why) {
    if (options.usage == Failure::kNone) options.usage = why;
  };
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || !a.starts_with("-")) {
      options.files.push_back(a);
    } else if (!IsKnownOption(a)) {
      if (options.usage == Failure::kNone) options.unknownOption = a;
      fail(Failure::kUnknownOption);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--batch") {
      options.batch = true;
    } else if (a == "--check") {
      options.check = true;
    } else if (a == "--json") {
      options.json = true;
    } else if (a == "-s1" || a == "-s2" || IsDelayOption(a)) {
      options.optionTokens.push_back(a);
    } else if (a == "--help" || a == "-h") {
      if (options.info == InfoRequest::kNone) options.info = InfoRequest::kHelp;
    } else if (a == "--version" || a == "-V") {
      if (options.info == InfoRequest::kNone) options.info = InfoRequest::kVersion;
    } else if (a.starts_with("--out-dir")) {
      const bool joined = a != "--out-dir";
      if (!joined && i + 1 == args.size()) {
        fail(Failure::kOutDirWithoutFolder);
      } else {
        options.outDir = joined ? a.substr(a.find('=') + 1) : args[++i];
        if (options.outDir->empty()) fail(Failure::kOutDirWithoutFolder);
      }
    }  // "--lang=" tokens chose the language at start-up
  }
  if (options.outDir && !options.batch) fail(Failure::kOutDirWithoutBatch);
  if (!options.batch && !options.check && options.files.size() > 2) fail(Failure::kTooManyPaths);
  if (options.files.empty()) fail(Failure::kNoInputFiles);
  return options;
}

ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths) {
  ConversionRequest start;
  start.language = options.language;
  return ReadCommandTokens(options.optionTokens, paths, start).request;
}

}  // namespace tessaro::cli

// Reading the arguments of the batch, check and JSON forms.
#include "cli/run_options.h"

#include "cli/cli_texts.h"

namespace tessaro::cli {

bool IsReportForm(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--batch" || a == "--check" || a == "--json" || a == "--out-dir") return true;
  }
  return false;
}

OneFileRun ReadOneFileRun(const std::vector<std::string>& args, Language language) {
  const CliTexts& texts = CliTextsFor(language);
  OneFileRun run;
  std::vector<std::string> options;
  std::vector<std::string> paths;
  bool optionsEnded = false;
  for (const std::string& a : args) {
    if (optionsEnded || !a.starts_with("-")) {
      paths.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a.starts_with("-s") || a.starts_with("-d") || a.starts_with("--lang=")) {
      options.push_back(a);
    } else {
      run.usageError = texts.unknownOption(a.c_str());
      return run;
    }
  }
  if (paths.size() > 2) {
    run.usageError = texts.tooManyPaths;
    return run;
  }
  ConversionRequest start;
  start.language = language;
  run.read = ReadCommandTokens(options, paths, start);
  return run;
}

RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language) {
  const CliTexts& texts = CliTextsFor(language);
  RunOptions options;
  options.language = language;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--batch") {
      options.batch = true;
    } else if (a == "--check") {
      options.check = true;
    } else if (a == "--json") {
      options.json = true;
    } else if (a == "--out-dir") {
      if (i + 1 == args.size()) {
        options.usageError = texts.outDirWithoutFolder;
        return options;
      }
      options.outDir = args[++i];
    } else if (a.starts_with("-")) {
      options.optionTokens.push_back(a);
    } else {
      options.files.push_back(a);
    }
  }
  if (options.outDir && !options.batch) {
    options.usageError = texts.outDirWithoutBatch;
  } else if (options.files.empty()) {
    options.usageError = texts.noInputFiles;
  }
  return options;
}

ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths) {
  ConversionRequest start;
  start.language = options.language;
  return ReadCommandTokens(options.optionTokens, paths, start).request;
}

}  // namespace tessaro::cli

// Reading the arguments of the batch, check and JSON forms.
#include "cli/run_options.h"

#include "cli/cli_texts.h"
#include "frontend/command_tokens.h"

namespace tessaro::cli {

bool IsReportForm(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--batch" || a == "--check" || a == "--json") return true;
  }
  return false;
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
  std::vector<std::string> tokens = options.optionTokens;
  tokens.insert(tokens.end(), paths.begin(), paths.end());
  ConversionRequest request = ReadCommandTokens(tokens).request;
  request.language = options.language;
  return request;
}

}  // namespace tessaro::cli

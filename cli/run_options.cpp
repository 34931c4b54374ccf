// Reading the arguments of the batch, check and JSON forms.
#include "cli/run_options.h"

#include "naming/command_tokens.h"

namespace tessaro::cli {

bool IsReportForm(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--batch" || a == "--check" || a == "--json") return true;
  }
  return false;
}

RunOptions ReadRunOptions(const std::vector<std::string>& args) {
  RunOptions options;
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
        options.usageError = "--out-dir の後にフォルダを指定してください。";
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
    options.usageError = "--out-dir は --batch と一緒に指定してください。";
  } else if (options.files.empty()) {
    options.usageError = "入力ファイルの指定がありません。";
  }
  return options;
}

ConversionRequest RequestFor(const RunOptions& options, const std::string& file) {
  std::vector<std::string> tokens = options.optionTokens;
  tokens.push_back(file);
  return ReadCommandTokens(tokens).request;
}

}  // namespace tessaro::cli

// Reading the console program's arguments.
#include "cli/run_options.h"

#include "cli/cli_texts.h"
#include "frontend/frontend_texts.h"

namespace tessaro::cli {

RunOptions ReadRunOptions(const std::vector<std::string>& args, Language language) {
  CommandArguments read = ReadArguments(args, ProgramKind::kConsole);
  RunOptions options;
  options.language = language;
  options.info = read.info;
  options.batch = read.batch;
  options.check = read.check;
  options.json = read.json;
  options.outDir = std::move(read.outDir);
  options.conversion = read.conversion;
  options.files = std::move(read.paths);
  options.usage = read.usage.failure;
  options.usageToken = std::move(read.usage.token);
  const auto fail = [&options](Failure why) {
    if (options.usage == Failure::kNone) options.usage = why;
  };
  if (options.batch && options.check) fail(Failure::kBatchWithCheck);
  if (options.outDir && !options.batch) fail(Failure::kOutDirWithoutBatch);
  if (!options.batch && !options.check && options.files.size() > 2) fail(Failure::kTooManyPaths);
  if (options.files.empty()) fail(Failure::kNoInputFiles);
  return options;
}

std::string UsageMessage(const RunOptions& options) {
  const CliTexts& texts = CliTextsFor(options.language);
  switch (options.usage) {
    case Failure::kTooManyPaths: return texts.tooManyPaths;
    case Failure::kOutDirWithoutBatch: return texts.outDirWithoutBatch;
    case Failure::kOutDirWithoutFolder: return texts.outDirWithoutFolder;
    case Failure::kBatchWithCheck: return texts.batchWithCheck;
    case Failure::kNoInputFiles:
      if (IsOneFileForm(options)) return {};
      return FrontEndTextsFor(options.language).noInputFiles;
    default: return SharedUsageMessage({options.usage, options.usageToken}, options.language);
  }
}

ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths) {
  ConversionRequest start;
  start.language = options.language;
  return tessaro::RequestFor(options.conversion, paths, start);
}

}  // namespace tessaro::cli

// Reading the console program's arguments.
#include "cli/run_options.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "engine/direction.h"
#include "frontend/frontend_texts.h"
#include "naming/delay_tag.h"

namespace tessaro::cli {

namespace {

// The one-file forms take "-" for the input, the output or both; the
// direction then comes from the output's ending, or with both "-" from the
// input's first bytes (once it is read).
Failure StandardStreamSlip(const RunOptions& options, std::string* token) {
  const std::vector<std::string>& files = options.files;
  const bool anyDash = std::find(files.begin(), files.end(), kStandardStream) != files.end();
  if (!anyDash) return Failure::kNone;
  if (options.batch || options.check) {
    *token = kStandardStream;
    return Failure::kStandardStreamInBatchOrCheck;
  }
  if (files[0] != kStandardStream) return Failure::kNone;
  if (files.size() == 1) return Failure::kStandardInputWithoutOutput;
  const std::string& output = files[1];
  if (output == kStandardStream) return Failure::kNone;
  *token = output;
  if (DirectionOf(output) == Direction::kNone) return Failure::kDirectionUnknown;
  // Only an input's name gives a delay; a name that states one on the
  // output would claim a delay that nothing compensated.
  if (options.conversion.delayMs == 0 && DelayStatedByWavName(output) != 0) {
    return Failure::kDelayTagInOutputName;
  }
  token->clear();
  return Failure::kNone;
}

}  // namespace

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
  if (options.usage == Failure::kNone) {
    options.usage = StandardStreamSlip(options, &options.usageToken);
  }
  return options;
}

void RefuseTerminals(RunOptions& options, bool inputIsTerminal, bool outputIsTerminal) {
  if (options.usage != Failure::kNone) return;
  // The input's is told first: it is what the run would wait on.
  const bool input = inputIsTerminal && ReadsStandardInput(options);
  if (input || (outputIsTerminal && WritesStandardOutput(options))) {
    options.usage = Failure::kStandardStreamIsTerminal;
    options.usageToken = input ? "input" : "output";
  }
}

std::string UsageMessage(const RunOptions& options) {
  const CliTexts& texts = CliTextsFor(options.language);
  switch (options.usage) {
    case Failure::kTooManyPaths: return texts.tooManyPaths;
    case Failure::kOutDirWithoutBatch: return texts.outDirWithoutBatch;
    case Failure::kOutDirWithoutFolder: return texts.outDirWithoutFolder;
    case Failure::kBatchWithCheck: return texts.batchWithCheck;
    case Failure::kStandardStreamInBatchOrCheck: return texts.standardStreamInBatchOrCheck;
    case Failure::kStandardInputWithoutOutput: return texts.standardInputWithoutOutput;
    case Failure::kDirectionUnknown: return texts.directionUnknown(options.usageToken.c_str());
    case Failure::kStandardStreamIsTerminal:
      return options.usageToken == "input" ? texts.inputIsTerminal : texts.outputIsTerminal;
    case Failure::kDelayTagInOutputName: {
      const int delay = DelayStatedByWavName(options.usageToken);
      return texts.delayTagInOutputName(options.usageToken.c_str(), delay, delay);
    }
    case Failure::kNoInputFiles:
      if (IsOneFileForm(options)) return {};
      return FrontEndTextsFor(options.language).noInputFiles;
    default: return SharedUsageMessage({options.usage, options.usageToken}, options.language);
  }
}

ConversionRequest RequestFor(const RunOptions& options, const std::vector<std::string>& paths) {
  ConversionRequest start;
  start.language = options.language;
  ConversionRequest request = tessaro::RequestFor(options.conversion, paths, start);
  // Standard input has no name: a named output's ending tells the direction,
  // the other way round (a ".wav" output is made from AAC).
  if (request.inputPath == kStandardStream && request.outputPath != kStandardStream) {
    switch (DirectionOf(request.outputPath)) {
      case Direction::kAacToWav: request.direction = Direction::kWavToAac; break;
      case Direction::kWavToAac: request.direction = Direction::kAacToWav; break;
      case Direction::kNone: break;
    }
  }
  return request;
}

}  // namespace tessaro::cli

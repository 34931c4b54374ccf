// Reading a command line's arguments by the option table, and the request
// they ask for.
#include "frontend/command_tokens.h"

#include "frontend/frontend_texts.h"
#include "naming/output_path.h"

namespace tessaro {
namespace {

void Fail(CommandArguments& read, Failure failure, const std::string& token) {
  if (read.usage.failure == Failure::kNone) read.usage = {failure, token};
}

}  // namespace

CommandArguments ReadArguments(const std::vector<std::string>& tokens, ProgramKind program) {
  CommandArguments read;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    // "-" alone stands for standard input or output: a path of the
    // console's, which says where it may stand; the dialog has no streams.
    const bool dash = token == "-";
    if (read.optionsEnded || !token.starts_with("-") || (dash && program == ProgramKind::kConsole)) {
      read.paths.push_back(token);
      continue;
    }
    const OptionRow* row = FindOption(token);
    if (row == nullptr || !Takes(program, *row)) {
      Fail(read, Failure::kUnknownOption, token);
      // The console's own folder option keeps its folder also where it is
      // refused, so that the folder is not taken for a path.
      if (row != nullptr && row->value == OptionValue::kFolder && token == row->name) ++i;
      continue;
    }
    std::string_view value = std::string_view(token).substr(row->name.size());
    if (row->value == OptionValue::kFolder) {
      if (value.empty() && i + 1 < tokens.size()) {
        value = tokens[++i];
      } else if (!value.empty()) {
        value.remove_prefix(1);  // the "="
      }
    }
    if (!TakesValue(*row, value)) {
      Fail(read, row->badValue, token);
      continue;
    }
    row->apply(read, value);
  }
  return read;
}

CommandArguments ReadDialogArguments(const std::vector<std::string>& tokens) {
  CommandArguments read = ReadArguments(tokens, ProgramKind::kDialog);
  if (read.paths.size() > 2) Fail(read, Failure::kTooManyPaths, read.paths[2]);
  if (read.paths.empty()) Fail(read, Failure::kNoInputFiles, "");
  return read;
}

ConversionRequest RequestFor(const ConversionOptions& options, const std::vector<std::string>& paths,
                             const ConversionRequest& start) {
  ConversionRequest request = start;
  if (options.outputSize) request.outputSize = *options.outputSize;
  if (!paths.empty()) {
    request.inputPath = paths[0];
    const OutputProposal proposal = DeriveOutputPath(paths[0]);
    request.outputPath = proposal.outputPath;
    if (proposal.setsDelay) request.delayMs = proposal.delayMs;
    request.delayFromName = proposal.setsDelay && proposal.delayMs != 0;
  }
  if (paths.size() > 1) request.outputPath = paths[1];
  if (options.delayMs != 0) {
    request.delayMs = options.delayMs;
    request.delayFromName = false;
  }
  if (options.forEditors) request.blockFlavour = BlockFlavour::kEditors;
  return request;
}

bool DelayFromName(const std::string& inputPath, int32_t delayMs) {
  const OutputProposal proposal = DeriveOutputPath(inputPath);
  return delayMs != 0 && proposal.setsDelay && proposal.delayMs == delayMs;
}

std::string SharedUsageMessage(const UsageError& usage, Language language) {
  const FrontEndTexts& texts = FrontEndTextsFor(language);
  const char* token = usage.token.c_str();
  switch (usage.failure) {
    case Failure::kUnknownOption: {
      if (usage.token == "-") return texts.dashAlone;
      const OptionRow* row = FindOption(usage.token);
      if (row != nullptr && !Takes(ProgramKind::kDialog, *row)) return texts.consoleOnlyOption(token);
      return texts.unknownOption(token);
    }
    case Failure::kDelayWithoutNumber: return texts.delayWithoutNumber(token);
    case Failure::kUnknownLanguage: return texts.unknownLanguage(token);
    default: return {};
  }
}

std::string DialogUsageError(const UsageError& usage, Language language) {
  const FrontEndTexts& texts = FrontEndTextsFor(language);
  std::string message = SharedUsageMessage(usage, language);
  if (usage.failure == Failure::kTooManyPaths) message = texts.dialogTooManyPaths;
  if (usage.failure == Failure::kNoInputFiles) message = texts.noInputFiles;
  return message + "\n" + texts.dialogUsage.c_str();
}

}  // namespace tessaro

// tessaro-cli's run: options, one conversion, the report and the exit status.
#include "cli/cli_app.h"

#include "cli/batch_run.h"
#include "cli/check_run.h"
#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/file_arguments.h"
#include "cli/json_report.h"
#include "cli/run_options.h"
#include "engine/convert_command.h"
#include "frontend/command_tokens.h"
#include "tessaro_version.h"

namespace tessaro::cli {
namespace {

// --json with a single file: the one-file run, reported as one JSON line.
int RunOneFileJson(const RunOptions& options, Console& console, FileSystem& fs) {
  const ConversionRequest request = RequestFor(options, options.files);
  CliHost host(console, {}, true);
  const ConversionResult result = RunConversion(request, host, fs);
  host.EndProgress();
  console.Out(JsonReportLine({false, request, result, result.failed ? host.info() : ""}));
  return StatusOfConversion(result);
}

int RunReportForm(const std::vector<std::string>& args, Console& console, FileSystem& fs,
                  Language language) {
  RunOptions options = ReadRunOptions(args, language);
  if (!options.usageError.empty()) {
    const CliTexts& texts = CliTextsFor(language);
    console.Err(options.usageError + "\n" + texts.usage.c_str() + texts.moreForms.c_str());
    return kExitUsage;
  }
  if (options.batch || options.check) options.files = ExpandFileArguments(options.files);
  if (options.check) return RunCheck(options, console, fs);
  if (options.batch) return RunBatch(options, console, fs);
  return RunOneFileJson(options, console, fs);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs,
           Language language) {
  const CliTexts& texts = CliTextsFor(language);
  switch (InfoRequestOf(args)) {
    case InfoRequest::kHelp:
      console.Out(std::string(texts.usage) + texts.moreForms.c_str() + texts.help.c_str());
      return kExitOk;
    case InfoRequest::kVersion:
      console.Out("tessaro-cli " TESSARO_VERSION_STRING "\n");
      return kExitOk;
    case InfoRequest::kNone:
      break;
  }
  if (IsReportForm(args)) return RunReportForm(args, console, fs, language);
  const OneFileRun run = ReadOneFileRun(args, language);
  if (!run.usageError.empty()) {
    console.Err(run.usageError + "\n" + texts.usage.c_str() + texts.moreForms.c_str());
    return kExitUsage;
  }
  const CommandTokens& read = run.read;
  if (read.pathCount == 0) {
    console.Err(texts.usage.c_str());
    return kExitUsage;
  }

  CliHost host(console);
  const ConversionResult result = RunConversion(read.request, host, fs);
  host.EndProgress();
  console.Out(ConsoleText(host.info()));
  return StatusOfConversion(result);
}

}  // namespace tessaro::cli

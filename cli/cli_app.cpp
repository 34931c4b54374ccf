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
#include "frontend/interrupts.h"
#include "tessaro_version.h"

namespace tessaro::cli {
namespace {

// Nothing is read or written: the message and the forms on standard error,
// and under --json one object on standard output.
int RefuseUsage(const RunOptions& options, Console& console) {
  const CliTexts& texts = CliTextsFor(options.language);
  const std::string message = UsageMessage(options);
  if (message.empty()) {
    console.Err(texts.usage.c_str());
  } else {
    console.Err(message + "\n" + texts.usage.c_str() + texts.moreForms.c_str());
  }
  if (options.json) console.Out(JsonUsageLine(options.usage, message));
  return kExitUsage;
}

// --json with a single file: the one-file run, reported as one JSON line.
int RunOneFileJson(const RunOptions& options, Console& console, FileSystem& fs) {
  const ConversionRequest request = RequestFor(options, options.files);
  SetStopReport(JsonStoppedLine({false, request, {}, ""}));
  CliHost host(console, {}, true);
  const ConversionResult result = RunConversion(request, host, fs);
  host.EndProgress();
  // Done: the line is written whole, and a stop from now on waits and is
  // dropped as the program ends.
  HoldStops();
  SetStopReport({});
  console.Out(JsonReportLine({false, request, result, result.failed ? host.info() : ""}));
  return StatusOfConversion(result);
}

int RunOneFile(const RunOptions& options, Console& console, FileSystem& fs) {
  CliHost host(console);
  const ConversionResult result = RunConversion(RequestFor(options, options.files), host, fs);
  host.EndProgress();
  console.Out(ConsoleText(host.info()));
  return StatusOfConversion(result);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Console& console, FileSystem& fs,
           Language language) {
  RunOptions options = ReadRunOptions(args, language);
  const CliTexts& texts = CliTextsFor(language);
  switch (options.info) {
    case InfoRequest::kHelp:
      console.Out(std::string(texts.usage) + texts.moreForms.c_str() + texts.help.c_str());
      return kExitOk;
    case InfoRequest::kVersion:
      console.Out("tessaro-cli " TESSARO_VERSION_STRING "\n");
      return kExitOk;
    case InfoRequest::kNone:
      break;
  }
  if (options.usage != Failure::kNone) return RefuseUsage(options, console);
  if (options.batch || options.check) options.files = ExpandFileArguments(options.files);
  if (options.check) return RunCheck(options, console, fs);
  if (options.batch) return RunBatch(options, console, fs);
  if (options.json) return RunOneFileJson(options, console, fs);
  return RunOneFile(options, console, fs);
}

}  // namespace tessaro::cli

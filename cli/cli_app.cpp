// tessaro-cli's run: options, the run of files of the form asked for, and
// the exit status.
#include "cli/cli_app.h"

#include <optional>
#include <utility>

#include "cli/batch_run.h"
#include "cli/check_run.h"
#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/file_arguments.h"
#include "cli/file_runs.h"
#include "cli/json_report.h"
#include "cli/run_options.h"
#include "cli/standard_stream_file_system.h"
#include "frontend/frontend_texts.h"
#include "frontend/stop_scope.h"
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

// The one-file form, with --json or without: a run of one (INPUT [OUTPUT]).
// With "-" as both, the input's first bytes tell the direction once the
// file has begun (reading a pipe may wait; a stop ends it).
FileRunForm OneFileForm(const RunOptions& options, StandardStreamFileSystem* streams) {
  FileRunForm form;
  form.several = false;
  form.request = [&options](const std::string&) { return RequestFor(options, options.files); };
  if (streams && ReadsStandardInput(options) && WritesStandardOutput(options)) {
    form.begin = [streams](ConversionRequest& request) {
      request.direction = streams->InputDirection();
    };
  }
  form.text = [](const FileOutcome&, const std::string& info) { return ConsoleText(info); };
  return form;
}

int RunForm(std::vector<std::string> args, Console& console, FileSystem& fs, Language language,
            StandardStreams& streams) {
  // From here a stop waits until the run knows what it would report.
  StopScope stops;
  RunOptions options = ReadRunOptions(args, language);
  args = {};  // a batch keeps one list of its files, not two
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
  const bool standardStreams = ReadsStandardInput(options) || WritesStandardOutput(options);
  if (standardStreams) {
    RefuseTerminals(options, streams.InputIsTerminal(), streams.OutputIsTerminal());
  }
  // With "-" as the output, standard output carries the data alone from
  // here: every report, a usage error's too, goes to standard error.
  std::optional<StandardStreamFileSystem> streamFiles;
  if (standardStreams) streamFiles.emplace(fs, streams, WritesStandardOutput(options));
  if (options.usage != Failure::kNone) return RefuseUsage(options, console);
  if (!options.batch && !options.check) {
    StandardStreamFileSystem* served = streamFiles ? &*streamFiles : nullptr;
    return RunFiles(stops, {options.files.front()}, options, console,
                    served ? static_cast<FileSystem&>(*served) : fs, OneFileForm(options, served));
  }
  std::vector<std::string> files = ExpandFileArguments(std::move(options.files));
  if (options.check) return RunCheck(stops, std::move(files), options, console, fs);
  return RunBatch(stops, std::move(files), options, console, fs);
}

}  // namespace

int RunCli(std::vector<std::string> args, Console& console, FileSystem& fs, Language language,
           StandardStreams& streams) {
  const int status = RunForm(std::move(args), console, fs, language, streams);
  const std::optional<StreamFailure>& failure = console.failure();
  if (!failure) return status;
  // The run has ended at the write; standard error may still take the why.
  const FrontEndTexts& texts = FrontEndTextsFor(language);
  const char* reason = failure->reason.c_str();
  console.Err(failure->standardError ? texts.errorNotWritten(reason)
                                     : texts.outputNotWritten(reason));
  return kExitFailed;
}

}  // namespace tessaro::cli

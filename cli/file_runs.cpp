// The runs of files, printed: labels, reports, summary lines and what a stop
// writes at each moment.
#include "cli/file_runs.h"

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/json_report.h"
#include "engine/convert_command.h"
#include "frontend/file_run.h"
#include "frontend/frontend_texts.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {
namespace {

// A file that would write over one of the run's own files fails without
// being converted, worded as every run of several files words it.
ConversionResult Refusal(const OwnFileHit& hit, const ConversionRequest& request, CliHost& host) {
  host.SetInfoText(OwnFileRefusal(hit, request.outputPath, hit.input, request.inputPath,
                                  request.language),
                   true);
  ConversionResult result;
  result.failed = true;
  result.failure =
      hit.kind == OwnFileHit::Kind::kInput ? Failure::kOutputIsAnInput : Failure::kOutputWrittenBefore;
  return result;
}

// The summary of the files done so far, as its line is printed; stopped:
// under --json with the stop's status.
std::string SummaryLine(const RunTally& t, const RunOptions& options, const FileRunForm& form,
                        bool stopped) {
  if (options.json) {
    return JsonSummaryLine({form.check, t.files, t.converted, t.damaged, t.failed, t.exitStatus,
                            stopped});
  }
  if (form.check) {
    return CliTextsFor(options.language).checkSummary(t.files, t.converted, t.damaged, t.failed);
  }
  return TallySummary(t, options.language) + "\n";
}

// What a stop writes to standard output now: under --json the stopped
// file's object (while one goes on), then the summary of the files done;
// as text the summary line. A run of one has no summary.
std::string StopReport(const RunTally& done, const RunOptions& options, const FileRunForm& form,
                       const ConversionRequest* stoppedFile) {
  std::string report;
  if (options.json && stoppedFile) report = JsonStoppedLine({form.check, *stoppedFile, {}, ""});
  if (form.several) report += SummaryLine(done, options, form, true);
  return report;
}

}  // namespace

int RunFiles(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs, const FileRunForm& form) {
  // Before the run looks at its files: a stop while it does still gives the
  // summary. A run of one waits for its file's report instead.
  if (form.several) stops.Ready(StopReport(RunTally{}, options, form, nullptr));
  FileRun run(std::move(files), fs, !form.check);
  for (size_t i = 0; i < run.size(); ++i) {
    const std::string file = run.input(i);
    const std::string label = form.several ? run.Number(i) : "";
    FileOutcome outcome{form.request(file), {}};
    stops.FileBegins(outcome.request.inputPath,
                     StopReport(run.tally(), options, form, &outcome.request));
    if (form.begin) {
      form.begin(outcome.request);
      // A stop from now on reports what the beginning settled.
      stops.FileBegins(outcome.request.inputPath,
                       StopReport(run.tally(), options, form, &outcome.request));
    }
    if (form.several && !options.json) console.Out(label + file + "\n");
    CliHost host(console, label, options.json);
    if (form.several) host.LabelMessages(label + file + "\n");
    const OwnFileHit hit = run.Refuses(i, outcome.request.outputPath);
    if (hit.kind == OwnFileHit::Kind::kNone) {
      outcome.result = RunConversion(outcome.request, host, fs);
      run.Converted(i, outcome.request.outputPath, outcome.result);
    } else {
      outcome.result = Refusal(hit, outcome.request, host);
    }
    host.EndProgress();
    stops.FileEnds();
    const std::string message = outcome.result.failed ? host.info() : "";
    if (options.json) {
      console.Out(
          JsonReportLine({form.check, outcome.request, outcome.result, message, host.messages()}));
    } else {
      console.Out(outcome.result.failed ? ConsoleText(message) : form.text(outcome, host.info()));
    }
    // Every file is done, or the reports no longer get through: a stop from
    // now on is dropped.
    if (i + 1 == run.size() || console.failure()) break;
    stops.FileReported(StopReport(run.tally(), options, form, nullptr));
  }
  stops.RunDone();
  if (form.several && !console.failure()) {
    console.Out(SummaryLine(run.tally(), options, form, false));
  }
  return run.tally().exitStatus;
}

}  // namespace tessaro::cli

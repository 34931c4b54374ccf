// The runs over several files, printed: labels, reports and summary lines.
#include "cli/file_runs.h"

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/json_report.h"
#include "engine/convert_command.h"
#include "frontend/file_run.h"
#include "frontend/frontend_texts.h"
#include "frontend/interrupts.h"

namespace tessaro::cli {
namespace {

RunSummary SummaryOf(const FileRun& run, bool check, bool stopped) {
  const RunTally& t = run.tally();
  return {check, t.files, t.converted, t.damaged, t.failed, t.exitStatus, stopped};
}

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

}  // namespace

int RunFiles(const RunOptions& options, Console& console, FileSystem& fs, const FileRunForm& form) {
  const CliTexts& texts = CliTextsFor(options.language);
  FileRun run(options.files, fs, !form.check);
  bool heldBetweenFiles = false;  // stops held by this loop, not by the conversion
  for (size_t i = 0; i < run.size(); ++i) {
    const std::string& file = run.input(i);
    const std::string label = run.Number(i);
    if (!options.json) console.Out(label + file + "\n");
    FileOutcome outcome{form.request(file), {}};
    // A stop under --json still ends in JSON: this file stopped, the rest
    // summed up.
    if (options.json) {
      SetStopReport(JsonStoppedLine({form.check, outcome.request, {}, ""}) +
                    JsonSummaryLine(SummaryOf(run, form.check, true)));
      if (heldBetweenFiles) ReleaseStops();
    }
    CliHost host(console, label, options.json);
    host.LabelMessages(label + file + "\n");
    const OwnFileHit hit = run.Overwrites(i, outcome.request.outputPath);
    if (hit.kind == OwnFileHit::Kind::kNone) {
      outcome.result = RunConversion(outcome.request, host, fs);
      run.Converted(i, outcome.request.outputPath, outcome.result);
    } else {
      outcome.result = Refusal(hit, outcome.request, host);
      run.Refused();
    }
    host.EndProgress();
    const std::string message = outcome.result.failed ? host.info() : "";
    if (options.json) {
      // From this file's line until the next file's stop report is in place
      // a stop waits: it would otherwise report this file a second time, as
      // stopped. One that waited stops the next file before it begins.
      heldBetweenFiles = HoldStops();
      console.Out(JsonReportLine({form.check, outcome.request, outcome.result, message}));
    } else {
      console.Out(outcome.result.failed ? ConsoleText(message) : form.text(outcome, host.info()));
    }
  }
  // Every file is done: the summary is written whole, and a stop from now on
  // waits and is dropped as the program ends.
  HoldStops();
  SetStopReport({});
  if (options.json) {
    console.Out(JsonSummaryLine(SummaryOf(run, form.check, false)));
  } else if (form.check) {
    const RunTally& t = run.tally();
    console.Out(texts.checkSummary(t.files, t.converted, t.damaged, t.failed));
  } else {
    console.Out(run.Summary(options.language) + "\n");
  }
  return run.tally().exitStatus;
}

}  // namespace tessaro::cli

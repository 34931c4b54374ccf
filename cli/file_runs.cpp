// The runs over several files: labels, tally and summary lines.
#include "cli/file_runs.h"

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/json_report.h"
#include "engine/convert_command.h"
#include "engine/report_text.h"

namespace tessaro::cli {

std::string MultiFileTally::Next() {
  ++index_;
  return StringPrintf("[%d/%d] ", index_, files_);
}

void MultiFileTally::Count(const ConversionResult& result) {
  const int status = StatusOfConversion(result);
  if (status == kExitOk) ++clean_;
  if (status == kExitConvertedWithDamage) ++damaged_;
  if (status == kExitFailed) ++failed_;
  exitStatus_ = WorseExit(exitStatus_, status);
}

std::string MultiFileTally::BatchSummary() const {
  return CliTextsFor(language_).batchSummary(files_, clean_, damaged_, failed_);
}

std::string MultiFileTally::CheckSummary() const {
  return CliTextsFor(language_).checkSummary(files_, clean_, damaged_, failed_);
}

std::string MultiFileTally::JsonSummary(bool check) const {
  return JsonSummaryLine({check, files_, clean_, damaged_, failed_, exitStatus_});
}

int RunFiles(const RunOptions& options, Console& console, FileSystem& fs, const FileRunForm& form) {
  MultiFileTally tally(options.files.size(), options.language);
  for (const std::string& file : options.files) {
    const std::string label = tally.Next();
    if (!options.json) console.Out(label + file + "\n");
    FileRun run{form.request(file), {}};
    CliHost host(console, label, options.json);
    host.LabelMessages(label + file + "\n");
    std::string refused;
    const Failure refusal = form.refusal ? form.refusal(run.request, &refused) : Failure::kNone;
    if (refusal == Failure::kNone) {
      run.result = RunConversion(run.request, host, fs);
      if (form.ran) form.ran(run);
    } else {
      host.SetInfoText(refused, true);
      run.result.failed = true;
      run.result.failure = refusal;
    }
    host.EndProgress();
    tally.Count(run.result);
    const std::string message = run.result.failed ? host.info() : "";
    if (options.json) {
      console.Out(JsonReportLine({form.check, run.request, run.result, message}));
    } else {
      console.Out(run.result.failed ? ConsoleText(message) : form.text(run, host.info()));
    }
  }
  if (options.json) {
    console.Out(tally.JsonSummary(form.check));
  } else {
    console.Out(form.check ? tally.CheckSummary() : tally.BatchSummary());
  }
  return tally.exitStatus();
}

}  // namespace tessaro::cli

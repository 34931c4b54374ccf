#pragma once
// Every form of the console is a run of files (frontend/file_run.h) printed:
// the one-file form and --json with one file a run of one, without a label
// or a summary; --batch and --check each file behind its "[i/n] " label
// line, then the summary line. One place builds each request, sets the stop
// scope's moments (frontend/stop_scope.h), converts and prints.

#include <functional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/run_options.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/failure.h"
#include "engine/file_io.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {

struct FileOutcome {
  ConversionRequest request;
  ConversionResult result;
};

struct FileRunForm {
  bool check = false;    // writes nothing: the check's texts, JSON mode and summary
  bool several = true;   // labels and a summary; else the run of one of the one-file form
  std::function<ConversionRequest(const std::string& file)> request;
  // What a file needs once it has begun (a stop may cut in), before it is
  // converted: it may settle what the request leaves open. Optional.
  std::function<void(ConversionRequest& request)> begin;
  // The text of a run that did not fail; info is the engine's report.
  std::function<std::string(const FileOutcome& outcome, const std::string& info)> text;
};

// Converts each of files on fs in turn and prints its label line and text
// (or its JSON line), then the summary; returns the worst exit status. A
// write to the console that fails ends the run after the file it reports.
// stops is the run's, begun while its options were read.
int RunFiles(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs, const FileRunForm& form);

}  // namespace tessaro::cli

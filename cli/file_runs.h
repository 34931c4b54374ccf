#pragma once
// What --batch and --check share: the run over the files (frontend/file_run.h)
// printed, each file behind its "[i/n] " label line, then the summary line.

#include <functional>
#include <string>

#include "cli/console.h"
#include "cli/run_options.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/failure.h"
#include "engine/file_io.h"

namespace tessaro::cli {

struct FileOutcome {
  ConversionRequest request;
  ConversionResult result;
};

struct FileRunForm {
  bool check = false;  // writes nothing: the check's texts, JSON mode and summary
  std::function<ConversionRequest(const std::string& file)> request;
  // The text of a run that did not fail; info is the engine's report.
  std::function<std::string(const FileOutcome& outcome, const std::string& info)> text;
};

// Converts each file of options on fs in turn and prints its label line and
// text (or its JSON line), then the summary; returns the worst exit status.
int RunFiles(const RunOptions& options, Console& console, FileSystem& fs, const FileRunForm& form);

}  // namespace tessaro::cli

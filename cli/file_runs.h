#pragma once
// What --batch and --check share: the run over the files, each behind its
// "[i/n] " label line, the tally of outcomes, the summary line and the worst
// exit status.

#include <cstddef>
#include <functional>
#include <string>

#include "cli/console.h"
#include "cli/run_options.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/failure.h"
#include "engine/file_io.h"
#include "engine/language.h"

namespace tessaro::cli {

class MultiFileTally {
 public:
  MultiFileTally(size_t files, Language language)
      : files_(static_cast<int>(files)), language_(language) {}

  // The label of the next file: "[2/5] ".
  std::string Next();
  void Count(const ConversionResult& result);

  // "合計 5 ファイル：変換 3, 異常ありで変換 1, 失敗 1\n"
  std::string BatchSummary() const;
  // "合計 5 ファイル：正常 3, 異常あり 1, 失敗 1\n"
  std::string CheckSummary() const;
  // The JSON summary object's line.
  std::string JsonSummary(bool check) const;
  int exitStatus() const { return exitStatus_; }

 private:
  int files_;
  Language language_;
  int index_ = 0;
  int clean_ = 0;
  int damaged_ = 0;
  int failed_ = 0;
  int exitStatus_ = 0;
};

struct FileRun {
  ConversionRequest request;
  ConversionResult result;
};

struct FileRunForm {
  bool check = false;  // the check's JSON mode and summary
  std::function<ConversionRequest(const std::string& file)> request;
  // The text of a run that did not fail; info is the engine's report.
  std::function<std::string(const FileRun& run, const std::string& info)> text;
  // Optional, asked before each conversion: what fails the file without
  // converting it (and its message), or kNone.
  std::function<Failure(const ConversionRequest& request, std::string* message)> refusal;
  // Optional, told after each conversion that ran, whatever its outcome.
  std::function<void(const FileRun& run)> ran;
};

// Converts each file of options on fs in turn and prints its label line and
// text (or its JSON line), then the summary; returns the worst exit status.
int RunFiles(const RunOptions& options, Console& console, FileSystem& fs, const FileRunForm& form);

}  // namespace tessaro::cli

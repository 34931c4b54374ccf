#pragma once
// A run of files, the same for every form of the console (one file, --json,
// --batch, --check) and for the dialog's queue: the files in the order
// given, their "[n/N] " numbers, the guard against writing over the run's
// own files, the tally of outcomes with the worst exit status, and the
// summary line. The front ends only print and show.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_result.h"
#include "engine/file_io.h"
#include "engine/language.h"
#include "frontend/exit_status.h"
#include "frontend/own_file_guard.h"
#include "frontend/path_list.h"

namespace tessaro {

// The files done so far, by outcome; files is their sum.
struct RunTally {
  int files = 0;
  int converted = 0;  // without anything to report (a check: found nothing wrong)
  int damaged = 0;    // converted with damage, mismatches or without a frame
  int failed = 0;
  int exitStatus = kExitOk;  // the worst so far
};

// The summary line of the files of a tally, without its line end, for the
// console and the dialog: "合計 5 ファイル：変換 3, 異常ありで変換 1, 失敗 1".
std::string TallySummary(const RunTally& tally, Language language);

class FileRun {
 public:
  // writes: the run writes outputs, so each is checked against the run's
  // own files (on fs, whose links and keys decide what is one file); a run
  // of one file has none to check against.
  FileRun(std::vector<std::string> inputs, FileSystem& fs, bool writes);
  FileRun(const FileRun&) = delete;
  FileRun& operator=(const FileRun&) = delete;

  size_t size() const { return inputs_.size(); }
  std::string input(size_t index) const { return std::string(inputs_[index]); }
  // The file's place in the run: "[2/5] ".
  std::string Number(size_t index) const;

  // Before inputs[index] is converted to output: what of the run's own it
  // would write over. A hit is counted as the file's failure here; the front
  // end words it and goes on with the next file.
  OwnFileHit Refuses(size_t index, const std::string& output);
  // After inputs[index] was converted to output, whatever the outcome.
  void Converted(size_t index, const std::string& output, const ConversionResult& result);

  const RunTally& tally() const { return tally_; }
  // The summary line of the files done so far (TallySummary).
  std::string Summary(Language language) const { return TallySummary(tally_, language); }

 private:
  void Count(ExitStatus status);

  PathList inputs_;
  std::optional<OwnFileGuard> guard_;  // reads inputs_
  RunTally tally_;
};

}  // namespace tessaro

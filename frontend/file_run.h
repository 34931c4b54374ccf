#pragma once
// A run of several files, the same for the console's --batch and --check and
// for the dialog's queue: the files in the order given, their "[n/N] "
// numbers, the guard against writing over the run's own files, the tally of
// outcomes with the worst exit status, and the summary line. The front ends
// only print and show.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_result.h"
#include "engine/file_io.h"
#include "engine/language.h"
#include "frontend/exit_status.h"
#include "frontend/own_file_guard.h"

namespace tessaro {

struct RunTally {
  int files = 0;      // in the run, done or not
  int converted = 0;  // without anything to report (a check: found nothing wrong)
  int damaged = 0;    // converted with damage, mismatches or without a frame
  int failed = 0;
  int exitStatus = kExitOk;  // the worst so far
};

class FileRun {
 public:
  // writes: the run writes outputs, so each is checked against the run's
  // own files (on fs, whose links and keys decide what is one file).
  FileRun(std::vector<std::string> inputs, FileSystem& fs, bool writes);

  size_t size() const { return inputs_.size(); }
  const std::string& input(size_t index) const { return inputs_[index]; }
  // The file's place in the run: "[2/5] ".
  std::string Number(size_t index) const;

  // Before inputs[index] is converted to output: what of the run's own it
  // would write over. A hit is the file's failure: count it with Refused.
  OwnFileHit Overwrites(size_t index, const std::string& output) const;
  void Refused();
  // After inputs[index] was converted to output, whatever the outcome.
  void Converted(size_t index, const std::string& output, const ConversionResult& result);

  const RunTally& tally() const { return tally_; }
  // The summary line without its line end, for the console and the dialog:
  // "合計 5 ファイル：変換 3, 異常ありで変換 1, 失敗 1".
  std::string Summary(Language language) const;

 private:
  void Count(ExitStatus status);

  std::vector<std::string> inputs_;
  std::optional<OwnFileGuard> guard_;
  RunTally tally_;
};

}  // namespace tessaro

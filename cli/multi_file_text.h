#pragma once
// The counting that --batch and --check share: the "[i/n] " label of each
// file, the tally of outcomes, the summary line and the worst exit status.

#include <cstddef>
#include <string>

#include "engine/convert_command.h"

namespace tessaro::cli {

class MultiFileTally {
 public:
  explicit MultiFileTally(size_t files) : files_(static_cast<int>(files)) {}

  // The label of the next file: "[2/5] ".
  std::string Next();
  void Count(const ConversionResult& result);

  // "合計 5 ファイル：変換 3, 異常ありで変換 1, 失敗 1\n"
  std::string BatchSummary() const;
  // "合計 5 ファイル：正常 3, 異常あり 1, 失敗 1\n"
  std::string CheckSummary() const;
  int exitStatus() const { return exitStatus_; }

 private:
  int files_;
  int index_ = 0;
  int clean_ = 0;
  int damaged_ = 0;
  int failed_ = 0;
  int exitStatus_ = 0;
};

}  // namespace tessaro::cli

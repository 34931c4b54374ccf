// Labels, tally and summary lines of the runs over several files.
#include "cli/multi_file_text.h"

#include "cli/cli_host.h"
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
  return StringPrintf("合計 %d ファイル：変換 %d, 異常ありで変換 %d, 失敗 %d\n", files_, clean_,
                      damaged_, failed_);
}

std::string MultiFileTally::CheckSummary() const {
  return StringPrintf("合計 %d ファイル：正常 %d, 異常あり %d, 失敗 %d\n", files_, clean_,
                      damaged_, failed_);
}

}  // namespace tessaro::cli

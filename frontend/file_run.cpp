// The run of files: numbers, guard and tally.
#include "frontend/file_run.h"

#include "engine/report_text.h"
#include "frontend/frontend_texts.h"

namespace tessaro {

FileRun::FileRun(std::vector<std::string> inputs, FileSystem& fs, bool writes)
    : inputs_(std::move(inputs)) {
  if (writes && inputs_.size() > 1) guard_.emplace(inputs_, fs);
}

std::string FileRun::Number(size_t index) const {
  return StringPrintf("[%d/%d] ", static_cast<int>(index + 1), static_cast<int>(inputs_.size()));
}

OwnFileHit FileRun::Refuses(size_t index, const std::string& output) {
  OwnFileHit hit = guard_ ? guard_->Overwrites(index, output) : OwnFileHit{};
  if (hit.kind != OwnFileHit::Kind::kNone) Count(kExitFailed);
  return hit;
}

void FileRun::Converted(size_t index, const std::string& output, const ConversionResult& result) {
  if (guard_ && !result.failed) guard_->Wrote(index, output);
  Count(StatusOfConversion(result));
}

void FileRun::Count(ExitStatus status) {
  ++tally_.files;
  if (status == kExitOk) ++tally_.converted;
  if (status == kExitConvertedWithDamage) ++tally_.damaged;
  if (status == kExitFailed) ++tally_.failed;
  tally_.exitStatus = WorseStatus(tally_.exitStatus, status);
}

std::string TallySummary(const RunTally& tally, Language language) {
  return FrontEndTextsFor(language).runSummary(tally.files, tally.converted, tally.damaged,
                                               tally.failed);
}

}  // namespace tessaro

// The output written aside and put in place by one rename.

#include "engine/output_file.h"

#include <random>

#include "engine/conversion_common.h"
#include "engine/engine_texts.h"

namespace tessaro {
namespace {

// Names a new file can be tried under before giving up.
constexpr int kNameAttempts = 16;
// A hidden name longer than this drops the output's own name, which could
// push it past what a folder entry may hold.
constexpr size_t kLongestNameKept = 200;

std::string RandomSuffix(std::random_device& random) {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i) suffix += kChars[random() % (sizeof kChars - 1)];
  return suffix;
}

}  // namespace

std::string AsidePath(const std::string& target, const std::string& suffix) {
  const size_t cut = target.find_last_of(kPathSeparators);
  const size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
  const std::string name = target.substr(nameStart);
  std::string path = target.substr(0, nameStart) + ".";
  if (name.size() <= kLongestNameKept) path += name + ".";
  return path + "tessaro-" + suffix;
}

OutputFile::OutputFile(FileSystem& fs, std::string target, std::string aside, bool replaces,
                       std::unique_ptr<File> file)
    : fs_(fs),
      target_(std::move(target)),
      aside_(std::move(aside)),
      replaces_(replaces),
      file_(std::move(file)) {}

OutputFile::~OutputFile() {
  if (committed_) return;
  file_.reset();
  fs_.Remove(aside_);
}

std::unique_ptr<OutputFile> OutputFile::Open(const ConversionRequest& request,
                                             ConversionHost& host, FileSystem& fs) {
  const Text& refused = EngineTextsFor(request.language).outputNotOpenable;
  // Writing over the input would destroy it before it is read.
  if (fs.SameFile(request.inputPath, request.outputPath)) {
    Failed(host, refused);
    return nullptr;
  }
  // Through a link the file replaced is the link's target; the link stays.
  const std::string target = request.outputPath.empty() ? std::string()
                                                        : fs.ResolveLinks(request.outputPath);
  const PathInfo info = target.empty() ? PathInfo{PathInfo::Kind::kOther} : fs.Stat(target);
  const bool replaces = info.kind == PathInfo::Kind::kRegular;
  if (info.kind == PathInfo::Kind::kOther || (replaces && !info.writable)) {
    Failed(host, refused);
    return nullptr;
  }
  // A name another run has taken is passed over; any other failure to
  // create the file refuses the output.
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string aside = AsidePath(target, RandomSuffix(random));
    std::unique_ptr<File> file = fs.CreateExclusive(aside, replaces ? &info : nullptr);
    if (file) {
      return std::unique_ptr<OutputFile>(
          new OutputFile(fs, target, std::move(aside), replaces, std::move(file)));
    }
    if (fs.Stat(aside).kind == PathInfo::Kind::kMissing) break;
  }
  Failed(host, refused);
  return nullptr;
}

bool OutputFile::Commit() {
  if (replaces_ && !file_->Sync()) return false;
  const bool closed = file_->Close();
  file_.reset();
  if (!closed || !fs_.Rename(aside_, target_)) return false;
  committed_ = true;
  return true;
}

}  // namespace tessaro

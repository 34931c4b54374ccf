// The one way a file is replaced: written aside, put in place by one rename.

#include "engine/write_aside.h"

#include <random>
#include <string_view>

namespace tessaro {
namespace {

// Names a new file can be tried under before giving up.
constexpr int kNameAttempts = 16;
// A hidden name longer than this drops the target's own name, which could
// push it past what a folder entry may hold.
constexpr size_t kLongestNameKept = 200;

constexpr std::string_view kSuffixChars = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kSuffixLength = 6;
constexpr std::string_view kHiddenMark = "tessaro-";

std::string RandomSuffix(std::random_device& random) {
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) {
    suffix += kSuffixChars[random() % kSuffixChars.size()];
  }
  return suffix;
}

// A new file under a hidden name, made and put in place through the file
// system's path operations.
class NamedAsideFile final : public AsideFile {
 public:
  NamedAsideFile(FileSystem& fs, std::string target, std::string hidden,
                 std::unique_ptr<File> file)
      : fs_(fs), target_(std::move(target)), hidden_(std::move(hidden)), file_(std::move(file)) {}
  ~NamedAsideFile() override {
    if (placed_) return;
    file_.reset();
    fs_.Remove(hidden_);
  }

  File& file() override { return *file_; }

  bool PutInPlace() override {
    const bool closed = file_->Close();
    if (!closed || !fs_.Rename(hidden_, target_)) return false;
    placed_ = true;
    return true;
  }

 private:
  FileSystem& fs_;
  const std::string target_;
  const std::string hidden_;
  std::unique_ptr<File> file_;
  bool placed_ = false;
};

}  // namespace

std::unique_ptr<AsideFile> FileSystem::CreateAside(const std::string& target,
                                                   const std::string& hidden,
                                                   const PathInfo* like) {
  std::unique_ptr<File> file = CreateExclusive(hidden, like);
  if (!file) return nullptr;
  return std::make_unique<NamedAsideFile>(*this, target, hidden, std::move(file));
}

std::string AsideName(const std::string& targetName, const std::string& suffix) {
  std::string name = ".";
  if (targetName.size() <= kLongestNameKept) name += targetName + ".";
  return name + std::string(kHiddenMark) + suffix;
}

std::string AsideTag(const std::string& targetName, const std::string& name) {
  // Names too long to be kept in the hidden name are never matched: such a
  // hidden name does not say whose it is.
  if (targetName.empty() || targetName.size() > kLongestNameKept) return {};
  const std::string head = "." + targetName + "." + std::string(kHiddenMark);
  if (name.size() <= head.size() + kSuffixLength || !name.starts_with(head)) return {};
  const std::string_view suffix = std::string_view(name).substr(name.size() - kSuffixLength);
  if (suffix.find_first_not_of(kSuffixChars) != std::string_view::npos) return {};
  return name.substr(head.size(), name.size() - kSuffixLength - head.size());
}

std::unique_ptr<WriteAside> WriteAside::Create(FileSystem& fs, Destination& destination) {
  const PathInfo& existing = destination.info();
  const PathInfo* like = existing.kind == PathInfo::Kind::kRegular ? &existing : nullptr;
  // A hidden name another run has taken is passed over; any other failure to
  // create the file ends the attempt.
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string hidden = AsideName(destination.name(), fs.RunTag() + RandomSuffix(random));
    std::unique_ptr<AsideFile> aside = destination.CreateAside(hidden, like);
    if (aside) return std::unique_ptr<WriteAside>(new WriteAside(std::move(aside)));
    if (!destination.Exists(hidden)) break;
  }
  return nullptr;
}

bool WriteAside::Commit(bool sync) {
  if (sync && !aside_->file().Sync()) return false;
  return aside_->PutInPlace();
}

}  // namespace tessaro

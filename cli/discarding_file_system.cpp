// The file system whose outputs go nowhere.
#include "cli/discarding_file_system.h"

#include <algorithm>

namespace tessaro::cli {
namespace {

// Keeps only the position and the length a real file would have.
class DiscardedFile final : public File {
 public:
  bool Read(uint8_t*, size_t, size_t* got) override {
    *got = 0;
    return true;
  }
  bool Write(const uint8_t*, size_t n) override {
    pos_ += n;
    size_ = std::max(size_, pos_);
    return true;
  }
  bool Seek(uint64_t offset) override {
    pos_ = offset;
    return true;
  }
  bool Size(uint64_t* size) override {
    *size = size_;
    return true;
  }
  bool Truncate(uint64_t size) override {
    size_ = size;
    return true;
  }
  bool Sync() override { return true; }
  bool Close() override { return true; }

 private:
  uint64_t pos_ = 0;
  uint64_t size_ = 0;
};

class DiscardedAside final : public AsideFile {
 public:
  File& file() override { return file_; }
  bool PutInPlace() override { return true; }

 private:
  DiscardedFile file_;
};

// The real destination, of which only the new file is replaced.
class DiscardingDestination final : public ForwardingDestination {
 public:
  DiscardingDestination(std::unique_ptr<Destination> real, DiscardingFileSystem& fs)
      : ForwardingDestination(std::move(real)), fs_(fs) {}
  std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                         const PathInfo* like) override {
    // A destination kept as a path may lie in a folder that is missing.
    if (folder() < 0 && !fs_.CreateExclusive(PathOf(hiddenName), like)) return nullptr;
    return std::make_unique<DiscardedAside>();
  }

 private:
  DiscardingFileSystem& fs_;
};

}  // namespace

std::unique_ptr<Destination> DiscardingFileSystem::Resolve(const std::string& path,
                                                     DestinationRefusal* refusal) {
  std::unique_ptr<Destination> real = inputs_.Resolve(path, refusal);
  if (!real) return nullptr;
  return std::make_unique<DiscardingDestination>(std::move(real), *this);
}

std::unique_ptr<File> DiscardingFileSystem::CreateExclusive(const std::string& path,
                                                            const PathInfo*) {
  // A path with a folder part needs that folder: neither missing nor a
  // regular file ("/x" looks at the root, "C:x" at C:'s current folder).
  // The current folder is taken as there.
  const size_t cut = path.find_last_of(kPathSeparators);
  if (cut != std::string::npos) {
    const std::string folder = path.substr(0, cut == 0 || path[cut] == ':' ? cut + 1 : cut);
    if (inputs_.Stat(folder).kind != PathInfo::Kind::kOther) return nullptr;
  }
  return std::make_unique<DiscardedFile>();
}

}  // namespace tessaro::cli

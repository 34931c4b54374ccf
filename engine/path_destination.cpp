// The destination of a path on a file system that works by paths: each step
// looks the path up again through the file system's path calls.

#include <memory>
#include <string>
#include <utility>

#include "engine/file_io.h"

namespace tessaro {
namespace {

class PathDestination final : public Destination {
 public:
  PathDestination(FileSystem& fs, std::string path, PathInfo info)
      : fs_(fs), path_(std::move(path)), info_(info) {
    const size_t cut = path_.find_last_of(kPathSeparators);
    folder_ = cut == std::string::npos ? std::string() : path_.substr(0, cut + 1);
    name_ = path_.substr(folder_.size());
  }

  const PathInfo& info() const override { return info_; }
  const std::string& name() const override { return name_; }
  bool Holds(const std::string& path) override { return fs_.SameFile(path, path_); }
  std::unique_ptr<File> OpenFound() override { return fs_.OpenRead(path_); }
  std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                         const PathInfo* like) override {
    return fs_.CreateAside(path_, PathOf(hiddenName), like);
  }
  bool Exists(const std::string& name) override {
    return fs_.Stat(PathOf(name)).kind != PathInfo::Kind::kMissing;
  }
  std::string PathOf(const std::string& name) const override { return folder_ + name; }

 private:
  FileSystem& fs_;
  const std::string path_;
  const PathInfo info_;
  std::string folder_;  // with its separator at the end; "" for the current folder
  std::string name_;
};

}  // namespace

std::unique_ptr<Destination> FileSystem::Resolve(const std::string& path,
                                                 DestinationRefusal* refusal) {
  *refusal = DestinationRefusal::kNone;
  // Through a link the file replaced is the link's target; the link stays.
  std::string target = ResolveLinks(path);
  if (target.empty()) {
    *refusal = DestinationRefusal::kUnreachable;
    return nullptr;
  }
  const PathInfo info = Stat(target);
  return std::make_unique<PathDestination>(*this, std::move(target), info);
}

}  // namespace tessaro

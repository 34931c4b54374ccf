// The file seam on POSIX systems: the file system, and the destination an output
// path leads to, found once by descriptors (file_io_posix_walk.cpp) and
// written beside (file_io_posix_aside.cpp).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "engine/file_io.h"
#include "engine/file_io_posix_aside.h"
#include "engine/file_io_posix_attributes.h"
#include "engine/file_io_posix_file.h"
#include "engine/file_io_posix_leftovers.h"
#include "engine/file_io_posix_walk.h"

namespace tessaro {
namespace {

using posix::Descriptor;
using posix::Found;

// Back to ordinary blocking reads and writes once the file is open.
bool Blocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// The folder part of a path ("." for a bare name) and the name in it.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}
std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether this process may write to the file held by fd (by its real user,
// as access() judges).
bool MayWrite(int fd) {
  if (::faccessat(fd, "", W_OK, AT_EMPTY_PATH) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  return ::access(("/proc/self/fd/" + std::to_string(fd)).c_str(), W_OK) == 0;
}

PathInfo InfoOf(const Found& found) {
  PathInfo info;
  if (!found.file) return info;
  if (!S_ISREG(found.st.st_mode)) {
    info.kind = PathInfo::Kind::kOther;
    return info;
  }
  info.kind = PathInfo::Kind::kRegular;
  info.writable = MayWrite(found.file.get());
  info.permissions = static_cast<uint32_t>(found.st.st_mode & 07777);
  info.owner = static_cast<uint32_t>(found.st.st_uid);
  info.group = static_cast<uint32_t>(found.st.st_gid);
  info.othersInSharedFolder = found.othersInSharedFolder;
  return info;
}

// Where an output path led: every step works in the folder held and on the
// file found there.
class PosixDestination final : public Destination {
 public:
  PosixDestination(Found found, posix::Leftovers& leftovers, bool unnamedFiles)
      : found_(std::move(found)),
        info_(InfoOf(found_)),
        leftovers_(leftovers),
        unnamedFiles_(unnamedFiles) {}

  const PathInfo& info() const override { return info_; }
  const std::string& name() const override { return found_.name; }

  bool Holds(const std::string& path) override {
    struct stat st;
    return found_.file && ::stat(path.c_str(), &st) == 0 && st.st_dev == found_.st.st_dev &&
           st.st_ino == found_.st.st_ino;
  }

  std::unique_ptr<File> OpenFound() override {
    if (!found_.readable) return nullptr;
    Descriptor fd(posix::Duplicate(found_.file.get()));
    if (!fd || ::lseek(fd.get(), 0, SEEK_SET) != 0) return nullptr;
    return std::make_unique<posix::PosixFile>(fd.Release());
  }

  std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                         const PathInfo* like) override {
    leftovers_.RemoveFor(found_.folder.get(), found_.name);
    posix::AsideRequest request;
    request.folder = found_.folder.get();
    request.target = found_.name;
    request.hidden = hiddenName;
    request.like = like;
    request.found = found_.readable ? found_.file.get() : -1;
    request.unnamedFiles = unnamedFiles_;
    return posix::CreateAsideAt(request);
  }

  bool Exists(const std::string& name) override {
    const int error = errno;  // the reason a creation failed stays the one given
    struct stat st;
    const bool missing =
        ::fstatat(found_.folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno == ENOENT;
    errno = error;
    return !missing;
  }

  std::string PathOf(const std::string& name) const override {
    if (found_.folderPath.empty()) return name;
    return found_.folderPath == "/" ? "/" + name : found_.folderPath + "/" + name;
  }

  int folder() const override { return found_.folder.get(); }

 private:
  const Found found_;
  const PathInfo info_;
  posix::Leftovers& leftovers_;
  const bool unnamedFiles_;
};

class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(bool unnamedFiles) : unnamedFiles_(unnamedFiles) {}

  std::unique_ptr<File> OpenRead(const std::string& path) override {
    // Only a regular file has the fixed length a conversion works from; a
    // directory, a device or a pipe is refused. O_NONBLOCK keeps the open of a
    // pipe without a writer from waiting forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode) || !Blocking(fd)) {
      // A file of another kind is refused here, not by the system: its reason
      // for the message is EISDIR for a folder, none for the rest.
      const int error = !statted || S_ISREG(st.st_mode) ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
      ::close(fd);
      errno = error;
      return nullptr;
    }
    return std::make_unique<posix::PosixFile>(fd);
  }

  PathInfo Stat(const std::string& path) override {
    PathInfo info;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
      info.kind = errno == ENOENT ? PathInfo::Kind::kMissing : PathInfo::Kind::kOther;
      return info;
    }
    if (!S_ISREG(st.st_mode)) {
      info.kind = PathInfo::Kind::kOther;
      return info;
    }
    info.kind = PathInfo::Kind::kRegular;
    info.writable = ::access(path.c_str(), W_OK) == 0;
    info.permissions = static_cast<uint32_t>(st.st_mode & 07777);
    info.owner = static_cast<uint32_t>(st.st_uid);
    info.group = static_cast<uint32_t>(st.st_gid);
    return info;
  }

  std::unique_ptr<Destination> Resolve(const std::string& path,
                                       DestinationRefusal* refusal) override {
    Found found;
    *refusal = posix::WalkPath(path, &found);
    if (*refusal != DestinationRefusal::kNone) return nullptr;
    return std::make_unique<PosixDestination>(std::move(found), leftovers_, unnamedFiles_);
  }

  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    if (like && !posix::TakeOver(-1, fd, *like)) {
      ::close(fd);
      ::unlink(path.c_str());
      return nullptr;
    }
    return std::make_unique<posix::PosixFile>(fd);
  }

  std::string RunTag() override { return leftovers_.RunTag(); }

  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  // Removes a new file that was not put in place. Only a regular file is
  // deleted; anything else the path may name by now is not ours.
  bool Remove(const std::string& path) override {
    std::string name;
    const int folder = OpenFolderOf(path, &name);
    if (folder < 0) return false;
    const bool removed = RemoveRegularFileAt(folder, name.c_str());
    ::close(folder);
    return removed;
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    struct stat sa, sb;
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  }

  std::string LastErrorText() override {
    const int error = errno;
    return error == 0 ? std::string() : std::string(std::strerror(error));
  }

  std::optional<FileKey> Identify(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileKey{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  }

 private:
  const bool unnamedFiles_;
  posix::Leftovers leftovers_;
};

}  // namespace

int OpenFolderOf(const std::string& path, std::string* name) {
  *name = NameOf(path);
  return ::open(FolderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool RemoveRegularFileAt(int folder, const char* name) {
  struct stat st;
  return ::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
         ::unlinkat(folder, name, 0) == 0;
}

FileSystem& RealFileSystem() {
  static PosixFileSystem fs(true);
  return fs;
}

FileSystem& RealFileSystemWithHiddenNames() {
  static PosixFileSystem fs(false);
  return fs;
}

}  // namespace tessaro

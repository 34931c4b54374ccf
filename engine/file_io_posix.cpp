// The file seam on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "engine/file_io.h"

namespace tessaro {
namespace {

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    *got = 0;
    while (*got < n) {
      const ssize_t r = ::read(fd_, buf + *got, n - *got);
      if (r < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (r == 0) break;
      *got += static_cast<size_t>(r);
    }
    return true;
  }

  bool Write(const uint8_t* buf, size_t n) override {
    size_t done = 0;
    while (done < n) {
      const ssize_t r = ::write(fd_, buf + done, n - done);
      if (r < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      done += static_cast<size_t>(r);
    }
    return true;
  }

  bool Seek(uint64_t offset) override {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(-1);
  }

  bool Size(uint64_t* size) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return false;
    *size = static_cast<uint64_t>(st.st_size);
    return true;
  }

  bool Truncate(uint64_t size) override { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }

  bool Sync() override { return ::fsync(fd_) == 0; }

  bool Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Links followed before giving up, as the system's own limit (40 on Linux).
constexpr int kMaxLinkHops = 40;

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

#if defined(__linux__)
// A folder opened only to work in it, which needs no right to list it.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// The owner, group and permissions of the file replaced. The owner and group
// are set where the process may (as root; otherwise a group it belongs to),
// and left as they are made where it may not.
bool TakeOver(int fd, const PathInfo& like) {
  if (::fchown(fd, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) != 0) {
    (void)!::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(like.group));
  }
  return ::fchmod(fd, static_cast<mode_t>(like.permissions)) == 0;
}

// A new file written in a folder held open, so that every step (its name,
// the rename, the clean-up) happens in that folder even when it is renamed
// meanwhile. Where the file system allows it the file has no name until it is
// complete, and a killed run leaves nothing.
class PosixAsideFile final : public AsideFile {
 public:
  PosixAsideFile(int folder, int fd, bool unnamed, std::string target, std::string hidden)
      : folder_(folder),
        fd_(fd),
        file_(fd),
        unnamed_(unnamed),
        hiddenNamed_(!unnamed),
        target_(std::move(target)),
        hidden_(std::move(hidden)) {}
  ~PosixAsideFile() override {
    if (hiddenNamed_) RemoveHidden();
    ::close(folder_);
  }

  File& file() override { return file_; }

  bool PutInPlace() override {
    if (unnamed_) {
      // A new output gets the target's name directly, with no other name in
      // between; one that replaces a file gets the hidden name first.
      if (Link(target_)) {
        if (file_.Close()) return true;
        ::unlinkat(folder_, target_.c_str(), 0);
        return false;
      }
      if (errno != EEXIST || !Link(hidden_)) return false;
      hiddenNamed_ = true;
    }
    if (!file_.Close() || ::renameat(folder_, hidden_.c_str(), folder_, target_.c_str()) != 0) {
      return false;
    }
    hiddenNamed_ = false;
    return true;
  }

 private:
  // Gives the unnamed file a name in the folder: straight from its descriptor
  // where the process may, else through its entry in /proc.
  bool Link(const std::string& name) {
    if (::linkat(fd_, "", folder_, name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) return false;
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    return ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  }

  // Only a regular file is removed: anything else under the name by now is
  // not ours.
  void RemoveHidden() {
    struct stat st;
    if (::fstatat(folder_, hidden_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) {
      ::unlinkat(folder_, hidden_.c_str(), 0);
    }
  }

  const int folder_;
  const int fd_;  // owned by file_
  PosixFile file_;
  const bool unnamed_;
  bool hiddenNamed_;
  const std::string target_;  // names in folder_
  const std::string hidden_;
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
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !Blocking(fd)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
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

  std::string ResolveLinks(const std::string& path) override {
    std::string current = path;
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
      struct stat st;
      if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
      std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
      const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
      if (n <= 0 || static_cast<size_t>(n) >= target.size()) return {};
      target.resize(static_cast<size_t>(n));
      if (target[0] != '/') {
        const size_t slash = current.rfind('/');
        if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
      }
      current = target;
    }
    return {};  // a loop, or a chain too long to follow
  }

  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    if (like && !TakeOver(fd, *like)) {
      ::close(fd);
      ::unlink(path.c_str());
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  std::unique_ptr<AsideFile> CreateAside(const std::string& target, const std::string& hidden,
                                         const PathInfo* like) override {
    const int folder = ::open(FolderOf(target).c_str(), kFolderFlags);
    if (folder < 0) return nullptr;
    int fd = -1;
#if defined(O_TMPFILE)
    if (unnamedFiles_) {
      fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
      // Where the file system cannot hold unnamed files, the hidden name.
      if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        ::close(folder);
        return nullptr;
      }
    }
#endif
    const bool unnamed = fd >= 0;
    if (!unnamed) {
      fd = ::openat(folder, NameOf(hidden).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (fd < 0) {
      ::close(folder);
      return nullptr;
    }
    auto aside =
        std::make_unique<PosixAsideFile>(folder, fd, unnamed, NameOf(target), NameOf(hidden));
    if (like && !TakeOver(fd, *like)) return nullptr;  // removed on the way out
    return aside;
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  // Removes a new file that was not put in place. Only a regular file is
  // deleted; anything else the path may name by now is not ours.
  bool Remove(const std::string& path) override {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0;
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    struct stat sa, sb;
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  }

  std::optional<FileKey> Identify(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileKey{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  }

 private:
  const bool unnamedFiles_;
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem fs(true);  // stateless
  return fs;
}

FileSystem& RealFileSystemWithHiddenNames() {
  static PosixFileSystem fs(false);
  return fs;
}

}  // namespace tessaro

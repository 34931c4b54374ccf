// The file seam on POSIX systems.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_io.h"
#include "engine/write_aside.h"

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

// The target of one symbolic link; empty when it cannot be read.
std::string ReadLink(const std::string& link, const struct stat& st) {
  std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
  const ssize_t n = ::readlink(link.c_str(), target.data(), target.size());
  if (n <= 0 || static_cast<size_t>(n) >= target.size()) return {};
  target.resize(static_cast<size_t>(n));
  return target;
}

// Whether a link in folder is one the system refuses to follow where it
// protects links: the folder is world-writable and sticky, and the link
// belongs neither to this user nor to the folder's owner.
bool PlantedIn(const std::string& folder, const struct stat& link) {
  struct stat f;
  if (::stat(folder.c_str(), &f) != 0) return false;
  constexpr mode_t kShared = S_ISVTX | S_IWOTH;
  return (f.st_mode & kShared) == kShared && link.st_uid != ::geteuid() &&
         link.st_uid != f.st_uid;
}

// The path walked so far (links already replaced by their targets; "" is
// the working folder) joined with one more name, and the folder above it.
std::string Joined(const std::string& walked, const std::string& name) {
  if (walked.empty()) return name;
  return walked == "/" ? "/" + name : walked + "/" + name;
}
std::string Up(const std::string& walked) {
  if (walked == "/") return walked;
  const size_t slash = walked.rfind('/');
  const std::string last = slash == std::string::npos ? walked : walked.substr(slash + 1);
  if (walked.empty() || last == "..") return Joined(walked, "..");
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : walked.substr(0, slash);
}

// Pushes the names of path on rest, the first name last.
void PushNames(const std::string& path, std::vector<std::string>* rest) {
  size_t end = path.size();
  while (end > 0) {
    const size_t slash = path.rfind('/', end - 1);
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (end > start) rest->push_back(path.substr(start, end - start));
    if (slash == std::string::npos) break;
    end = slash;
  }
}

// The permissions a plainly created file gets under the process's umask,
// read without changing it where the system tells it.
mode_t PlainMode() {
  mode_t mask = 0;
  bool known = false;
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n > 0) {
      buf[n] = '\0';
      if (const char* line = std::strstr(buf, "\nUmask:")) {
        mask = static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8));
        known = true;
      }
    }
  }
  if (!known) {
    mask = ::umask(022);
    ::umask(mask);
  }
  return 0666 & ~mask;
}

// The owner, group and permissions of the file replaced. The owner and group
// are set where the process may (as root; otherwise a group it belongs to),
// and left as they are made where it may not.
bool TakeOver(int fd, const PathInfo& like) {
  if (::fchown(fd, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) != 0) {
    (void)!::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(like.group));
  }
  return ::fchmod(fd, static_cast<mode_t>(like.permissions)) == 0;
}

constexpr char kAccessAcl[] = "system.posix_acl_access";

// Where a file's ACL could not be kept, its group bits (which stand for the
// ACL's mask) would grant the owning group what the named entries had. They
// become what the owning-group entry allowed within the mask instead; an ACL
// that cannot be read gives the group nothing.
void NarrowGroupBits(int fd, const std::string& acl, uint32_t permissions) {
  // A version word, then entries of a 16-bit tag, 16-bit permissions and a
  // 32-bit id, all little-endian.
  constexpr size_t kHeader = 4, kEntry = 8;
  constexpr unsigned kOwningGroup = 0x04, kMask = 0x10;
  unsigned group = 0, mask = 7;
  for (size_t at = kHeader; at + kEntry <= acl.size(); at += kEntry) {
    const auto byte = [&](size_t i) { return static_cast<unsigned>(static_cast<uint8_t>(acl[at + i])); };
    const unsigned tag = byte(0) | byte(1) << 8;
    const unsigned perm = (byte(2) | byte(3) << 8) & 7;
    if (tag == kOwningGroup) group = perm;
    if (tag == kMask) mask = perm;
  }
  (void)!::fchmod(fd, static_cast<mode_t>((permissions & ~070u) | (group & mask) << 3));
}

// Copies the extended attributes of one file, its ACL among them, to
// another, as far as the file system and the process allow.
void KeepAttributes(int from, int to, uint32_t permissions) {
  ssize_t size = ::flistxattr(from, nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<size_t>(size), '\0');
  size = ::flistxattr(from, names.data(), names.size());
  if (size <= 0) return;
  names.resize(static_cast<size_t>(size));
  std::string value;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
    const char* name = names.c_str() + at;
    ssize_t n = ::fgetxattr(from, name, nullptr, 0);
    value.assign(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n >= 0) n = ::fgetxattr(from, name, value.data(), value.size());
    value.resize(n > 0 ? static_cast<size_t>(n) : 0);
    const bool kept = n >= 0 && ::fsetxattr(to, name, value.data(), value.size(), 0) == 0;
    if (!kept && std::strcmp(name, kAccessAcl) == 0) NarrowGroupBits(to, value, permissions);
  }
}

// Copies all of one file's data to another.
bool CopyData(int from, File& to) {
  std::vector<uint8_t> buf(1 << 20);
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(from, buf.data(), buf.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!to.Write(buf.data(), static_cast<size_t>(n))) return false;
    at += n;
  }
}

// A new file written in a folder held open, so that every step (its name,
// the rename, the clean-up) happens in that folder even when it is renamed
// meanwhile. The file is private to the process (mode 0600) while it is
// written and gets its final owner, permissions, extended attributes and ACL
// only once complete, before it is named or renamed into place. Where the
// file system allows it the file has no name until then, and a killed run
// leaves nothing.
class PosixAsideFile final : public AsideFile {
 public:
  // like: what the file replaces, or nullptr; plainMode: whether a new
  // file is to get the permissions a plainly created one gets.
  PosixAsideFile(int folder, int fd, bool unnamed, std::string target, std::string hidden,
                 const PathInfo* like, bool plainMode)
      : folder_(folder),
        fd_(fd),
        file_(fd),
        unnamed_(unnamed),
        hiddenNamed_(!unnamed),
        target_(std::move(target)),
        hidden_(std::move(hidden)),
        replaces_(like != nullptr),
        like_(like ? *like : PathInfo{}),
        plainMode_(plainMode) {}
  ~PosixAsideFile() override {
    if (hiddenNamed_) RemoveHidden();
    ::close(folder_);
  }

  File& file() override { return file_; }

  bool PutInPlace() override {
    if (!unnamed_) return Finish(fd_) && file_.Close() && RenameInPlace();
    // Closed before it is named, so that naming and renaming follow each
    // other at once; a second descriptor keeps the file for the naming.
    const int keep = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (keep < 0) return false;
    PosixFile kept(keep);
    if (!Finish(fd_) || !file_.Close()) return false;
    // A new output gets the target's name directly, with no other name in
    // between; one that replaces a file gets the hidden name first.
    if (Link(keep, target_)) return true;
    if (errno == EEXIST) {
      if (!Link(keep, hidden_)) return errno != EEXIST && CopyToHidden(keep) && RenameInPlace();
      hiddenNamed_ = true;
      return RenameInPlace();
    }
    // The system refuses to name it: its data goes under the hidden name.
    return CopyToHidden(keep) && RenameInPlace();
  }

 private:
  // Gives the complete file its final permissions (and owner, extended
  // attributes and ACL of the file replaced).
  bool Finish(int fd) {
    if (!replaces_) return !plainMode_ || ::fchmod(fd, PlainMode()) == 0;
    if (!TakeOver(fd, like_)) return false;
    const int old = ::openat(folder_, target_.c_str(),
                             O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (old >= 0) {
      KeepAttributes(old, fd, like_.permissions);
      ::close(old);
    }
    return true;
  }

  // Gives the unnamed file a name in the folder: straight from its descriptor
  // where the process may, else through its entry in /proc.
  bool Link(int fd, const std::string& name) {
    if (::linkat(fd, "", folder_, name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) return false;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  }

  // The unnamed file's data in a new file under the hidden name, complete
  // and on the disk.
  bool CopyToHidden(int from) {
    const int fd = ::openat(folder_, hidden_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    hiddenNamed_ = true;
    PosixFile copy(fd);
    return CopyData(from, copy) && Finish(fd) && copy.Sync() && copy.Close();
  }

  bool RenameInPlace() {
    if (::renameat(folder_, hidden_.c_str(), folder_, target_.c_str()) != 0) return false;
    hiddenNamed_ = false;
    return true;
  }

  // Only a regular file is removed: anything else under the name by now is
  // not ours.
  void RemoveHidden() { RemoveRegularFileAt(folder_, hidden_.c_str()); }

  const int folder_;
  const int fd_;  // owned by file_
  PosixFile file_;
  const bool unnamed_;
  bool hiddenNamed_;
  const std::string target_;  // names in folder_
  const std::string hidden_;
  const bool replaces_;
  const PathInfo like_;
  const bool plainMode_;
};

// Whether the run whose tag (its process id and "-") a hidden name carries
// has ended.
bool RunEnded(const std::string& tag) {
  if (tag.size() < 2 || tag.back() != '-' ||
      tag.find_first_not_of("0123456789") != tag.size() - 1 || tag[0] == '0') {
    return false;
  }
  const long pid = std::strtol(tag.c_str(), nullptr, 10);
  if (pid <= 0 || pid > INT_MAX || pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The hidden names in a folder (names that start with "." and hold
// ".tessaro-"): where earlier runs may have left new files.
std::vector<std::string> HiddenNamesIn(int folder) {
  std::vector<std::string> names;
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return names;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return names;
  }
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name.starts_with('.') && name.find(".tessaro-") != std::string_view::npos) {
      names.emplace_back(name);
    }
  }
  ::closedir(dir);
  return names;
}

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
      std::string target = ReadLink(current, st);
      if (target.empty()) return {};
      if (target[0] != '/') {
        const size_t slash = current.rfind('/');
        if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
      }
      current = target;
    }
    return {};  // a loop, or a chain too long to follow
  }

  // Walks the path name by name as the system does, each link replaced by
  // its target, and judges every link on the way where it lies.
  bool ThroughPlantedLink(const std::string& path) override {
    std::vector<std::string> rest;
    PushNames(path, &rest);
    std::string walked = path.starts_with('/') ? "/" : "";
    for (int hops = 0; !rest.empty();) {
      const std::string name = std::move(rest.back());
      rest.pop_back();
      if (name == ".") continue;
      if (name == "..") {
        walked = Up(walked);
        continue;
      }
      const std::string next = Joined(walked, name);
      struct stat st;
      if (::lstat(next.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        walked = next;
        continue;
      }
      if (PlantedIn(walked.empty() ? "." : walked, st)) return true;
      const std::string target = ReadLink(next, st);
      if (target.empty() || ++hops > kMaxLinkHops) return false;  // the system refuses it too
      if (target.starts_with('/')) walked = "/";
      PushNames(target, &rest);
    }
    return false;
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
    const std::string folderPath = FolderOf(target);
    const int folder = ::open(folderPath.c_str(), kFolderFlags);
    if (folder < 0) return nullptr;
    RemoveLeftovers(folder, NameOf(target));
    // Private while it is written. A new file in a folder whose default ACL
    // decides who may read what is made in it is made as that ACL says.
    const bool plainMode =
        !like && ::getxattr(folderPath.c_str(), "system.posix_acl_default", nullptr, 0) <= 0;
    const mode_t mode = like || plainMode ? 0600 : 0666;
    int fd = -1;
#if defined(O_TMPFILE)
    if (unnamedFiles_) {
      // Readable too, so that its data can still go under the hidden name
      // should the system refuse to name it.
      fd = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
      // Where the file system cannot hold unnamed files, the hidden name.
      if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        ::close(folder);
        return nullptr;
      }
    }
#endif
    const bool unnamed = fd >= 0;
    if (!unnamed) {
      fd = ::openat(folder, NameOf(hidden).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    }
    if (fd < 0) {
      ::close(folder);
      return nullptr;
    }
    return std::make_unique<PosixAsideFile>(folder, fd, unnamed, NameOf(target), NameOf(hidden),
                                            like, plainMode);
  }

  std::string RunTag() override { return std::to_string(::getpid()) + "-"; }

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
  // Removes the hidden files a killed run left for target: exactly its
  // hidden names, regular files, of a run that has ended. The folder is read
  // once per process; later outputs in it look only at what was found.
  void RemoveLeftovers(int folder, const std::string& targetName) {
    struct stat f;
    if (::fstat(folder, &f) != 0) return;
    const std::lock_guard<std::mutex> guard(leftoversLock_);
    auto [found, fresh] = leftovers_.try_emplace({f.st_dev, f.st_ino});
    std::vector<std::string>& names = found->second;
    if (fresh) names = HiddenNamesIn(folder);
    for (auto name = names.begin(); name != names.end();) {
      if (!RunEnded(AsideTag(targetName, *name))) {
        ++name;
        continue;
      }
      RemoveRegularFileAt(folder, name->c_str());
      name = names.erase(name);
    }
  }

  const bool unnamedFiles_;
  std::mutex leftoversLock_;
  std::map<std::pair<dev_t, ino_t>, std::vector<std::string>> leftovers_;
};

}  // namespace

int OpenFolderOf(const std::string& path, std::string* name) {
  *name = NameOf(path);
  return ::open(FolderOf(path).c_str(), kFolderFlags);
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

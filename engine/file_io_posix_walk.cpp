// The walk of a path by descriptors, and the rules it judges links and
// files by.

#include "engine/file_io_posix_walk.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(SYS_openat2)
#include <linux/openat2.h>
#endif

#include <atomic>
#include <climits>
#include <vector>

namespace tessaro::posix {
namespace {

// Links followed before giving up, as the system's own limit (40 on Linux).
constexpr int kMaxLinkHops = 40;

#if defined(SYS_openat2)
// Where the system has no openat2 (before Linux 5.6), plain openat.
std::atomic<bool> noOpenat2{false};

// openat2 with flags and resolve; -1 with errno ENOSYS where it is missing.
int OpenAt2(int folder, const char* name, int flags, uint64_t resolve) {
  if (noOpenat2.load(std::memory_order_relaxed)) {
    errno = ENOSYS;
    return -1;
  }
  open_how how{};
  how.flags = static_cast<uint64_t>(flags);
  how.resolve = resolve;
  const long fd = ::syscall(SYS_openat2, folder, name, &how, sizeof how);
  if (fd < 0 && errno == ENOSYS) noOpenat2.store(true, std::memory_order_relaxed);
  return static_cast<int>(fd);
}
#else
int OpenAt2(int, const char*, int, uint64_t) {
  errno = ENOSYS;
  return -1;
}
#endif

// One name in folder, opened as what it is (a link as the link), for
// looking at only: nothing is followed, and a device or pipe is not opened.
int OpenName(int folder, const char* name) {
  constexpr int kFlags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
  const int fd = OpenAt2(folder, name, kFlags, RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS);
  if (fd >= 0 || errno != ENOSYS) return fd;
  return ::openat(folder, name, kFlags);
}

// The text of the link held by fd; empty when it cannot be read.
std::string ReadLink(int fd, const struct stat& st) {
  std::string text(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
  const ssize_t n = ::readlinkat(fd, "", text.data(), text.size());
  if (n <= 0 || static_cast<size_t>(n) >= text.size()) return {};
  text.resize(static_cast<size_t>(n));
  return text;
}

// Whether the link `name` in folder (held by fd, its text read) is one of
// the system's own links to an open object (/proc/PID/fd/N, cwd, root, exe):
// its text names no file the link leads to. The system tells where it has
// openat2; elsewhere a link of the process file system counts as one unless
// its text is a plain relative path (/proc/self is "PID").
bool MagicLink(int folder, const char* name, int fd, const std::string& text) {
  struct statfs fs;
  if (::fstatfs(fd, &fs) != 0 || fs.f_type != PROC_SUPER_MAGIC) return false;
  const int probe = OpenAt2(folder, name, O_PATH | O_CLOEXEC, RESOLVE_NO_MAGICLINKS);
  if (probe >= 0) {
    ::close(probe);
    return false;
  }
  if (errno != ENOSYS) return errno == ELOOP;
  return text.starts_with('/') || text.find(':') != std::string::npos;
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

// The walked path ("" is the working folder) one name further, or up.
std::string Joined(const std::string& walked, const std::string& name) {
  if (walked.empty()) return name;
  std::string joined = walked;
  if (walked != "/") joined += '/';
  return joined += name;
}
std::string Up(const std::string& walked) {
  if (walked == "/") return walked;
  const size_t slash = walked.rfind('/');
  const std::string last = slash == std::string::npos ? walked : walked.substr(slash + 1);
  if (walked.empty() || last == "..") return Joined(walked, "..");
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : walked.substr(0, slash);
}

// The regular file held by *at, opened for reading instead where this
// process may read it and it is still the same file.
bool OpenForReading(int folder, const std::string& name, Descriptor* at, const struct stat& st) {
  Descriptor readable(
      ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat again;
  if (!readable || ::fstat(readable.get(), &again) != 0 || again.st_dev != st.st_dev ||
      again.st_ino != st.st_ino) {
    return false;
  }
  *at = std::move(readable);
  return true;
}

// Fills *found with what the last name holds (held by at; none when the
// name is missing).
DestinationRefusal Arrive(Descriptor folder, std::string folderPath, std::string name,
                          Descriptor at, Found* found) {
  found->folder = std::move(folder);
  found->folderPath = std::move(folderPath);
  found->name = std::move(name);
  if (at) {
    struct stat f;
    if (::fstat(at.get(), &found->st) != 0 || ::fstat(found->folder.get(), &f) != 0) {
      return DestinationRefusal::kUnreachable;
    }
    if (S_ISREG(found->st.st_mode)) {
      found->othersInSharedFolder = OthersInSharedFolder(f, found->st.st_uid);
      found->readable = OpenForReading(found->folder.get(), found->name, &at, found->st);
    }
  }
  found->file = std::move(at);
  return DestinationRefusal::kNone;
}

}  // namespace

bool OthersInSharedFolder(const struct stat& folder, uid_t owner) {
  constexpr mode_t kShared = S_ISVTX | S_IWOTH;
  return S_ISDIR(folder.st_mode) && (folder.st_mode & kShared) == kShared &&
         owner != ::geteuid() && owner != folder.st_uid;
}

DestinationRefusal WalkPath(const std::string& path, Found* found) {
  constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
  if (path.empty()) {
    errno = ENOENT;
    return DestinationRefusal::kUnreachable;
  }
  std::string walked = path.starts_with('/') ? "/" : "";
  Descriptor folder(::open(walked.empty() ? "." : "/", kFolderFlags));
  if (!folder) return DestinationRefusal::kUnreachable;
  std::vector<std::string> rest;
  PushNames(path, &rest);
  bool folderWanted = path.ends_with('/');  // the last name must be a folder
  for (int hops = 0; !rest.empty();) {
    const std::string name = std::move(rest.back());
    rest.pop_back();
    const bool last = rest.empty();
    if (name == ".") continue;
    Descriptor at(OpenName(folder.get(), name.c_str()));
    struct stat st;
    if (!at) {
      if (errno != ENOENT || !last || folderWanted) return DestinationRefusal::kUnreachable;
      return Arrive(std::move(folder), std::move(walked), name, Descriptor(), found);
    }
    if (::fstat(at.get(), &st) != 0) return DestinationRefusal::kUnreachable;
    if (S_ISLNK(st.st_mode)) {
      struct stat f;
      if (::fstat(folder.get(), &f) != 0) return DestinationRefusal::kUnreachable;
      if (OthersInSharedFolder(f, st.st_uid)) return DestinationRefusal::kPlantedLink;
      const std::string text = ReadLink(at.get(), st);
      if (text.empty()) {
        errno = ENOENT;
        return DestinationRefusal::kUnreachable;
      }
      if (++hops > kMaxLinkHops || MagicLink(folder.get(), name.c_str(), at.get(), text)) {
        errno = ELOOP;
        return DestinationRefusal::kUnreachable;
      }
      if (text.starts_with('/')) {
        walked.assign(1, '/');  // (not = "/": a false -Wrestrict of GCC 12)
        folder.Reset(::open("/", kFolderFlags));
        if (!folder) return DestinationRefusal::kUnreachable;
      }
      if (last && text.ends_with('/')) folderWanted = true;
      PushNames(text, &rest);
      continue;
    }
    if (last && !folderWanted) {
      return Arrive(std::move(folder), std::move(walked), name, std::move(at), found);
    }
    if (!S_ISDIR(st.st_mode)) {
      errno = ENOTDIR;
      return DestinationRefusal::kUnreachable;
    }
    folder = std::move(at);
    walked = name == ".." ? Up(walked) : Joined(walked, name);
  }
  // The path ends in a folder: found is that folder, with no name in it.
  Descriptor self(Duplicate(folder.get()));
  if (!self) return DestinationRefusal::kUnreachable;
  return Arrive(std::move(folder), std::move(walked), "", std::move(self), found);
}

}  // namespace tessaro::posix

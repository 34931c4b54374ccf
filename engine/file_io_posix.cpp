// The file seam on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cerrno>

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

class PosixFileSystem final : public FileSystem {
 public:
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
    if (like && ::fchmod(fd, static_cast<mode_t>(like->permissions)) != 0) {
      ::close(fd);
      ::unlink(path.c_str());
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
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
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem fs;  // stateless
  return fs;
}

}  // namespace tessaro

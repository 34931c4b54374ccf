// The file seam on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

  bool Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

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

  std::unique_ptr<File> Create(const std::string& path) override {
    // O_NONBLOCK: a pipe without a reader fails at once instead of hanging.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return nullptr;
    if (!Blocking(fd)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  // Removes a partial output. Only a regular file is deleted: an output such
  // as /dev/full or a pipe is a name the user gave for something that is not
  // ours to delete. Through a symbolic link the file written is the link's
  // target, so that is what goes; the link stays.
  bool Remove(const std::string& path) override {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return false;
    if (S_ISREG(st.st_mode)) return ::unlink(path.c_str()) == 0;
    if (!S_ISLNK(st.st_mode) || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      return false;
    }
    char* target = ::realpath(path.c_str(), nullptr);
    if (target == nullptr) return false;
    const bool removed = ::unlink(target) == 0;
    std::free(target);
    return removed;
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

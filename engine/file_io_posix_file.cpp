// An open file on POSIX systems: whole reads and writes, retried when a
// signal cuts in.

#include "engine/file_io_posix_file.h"

#include <fcntl.h>

namespace tessaro::posix {

int Duplicate(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); }

bool PosixFile::Read(uint8_t* buf, size_t n, size_t* got) {
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

bool PosixFile::Write(const uint8_t* buf, size_t n) {
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

bool PosixFile::Seek(uint64_t offset) {
  return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(-1);
}

bool PosixFile::Size(uint64_t* size) {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool PosixFile::Truncate(uint64_t size) { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }

bool PosixFile::Sync() { return ::fsync(fd_) == 0; }

bool PosixFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

}  // namespace tessaro::posix

#pragma once
// An open file and a held descriptor, on POSIX systems.

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "engine/file_io.h"

namespace tessaro::posix {

// A descriptor closed when it goes; -1 holds nothing. Closing keeps errno,
// so a failure's reason survives the clean-up after it.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Reset(-1); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset(int fd) {
    if (fd_ >= 0) {
      const int error = errno;
      ::close(fd_);
      errno = error;
    }
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

// A second descriptor of the same open file (or folder); -1 on failure.
int Duplicate(int fd);

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  bool Read(uint8_t* buf, size_t n, size_t* got) override;
  bool Write(const uint8_t* buf, size_t n) override;
  bool Seek(uint64_t offset) override;
  bool Size(uint64_t* size) override;
  bool Truncate(uint64_t size) override;
  bool Sync() override;
  bool Close() override;

 private:
  int fd_;
};

}  // namespace tessaro::posix

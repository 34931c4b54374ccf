// Standard input and output on POSIX, and the unnamed files "-" is spooled
// through.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>

#include "cli/standard_streams.h"
#include "engine/file_io_posix_file.h"
#include "frontend/interrupts.h"

namespace tessaro::cli {
namespace {

using posix::Descriptor;

// $TMPDIR, else /tmp.
std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// Where the folder's file system holds no unnamed files: a file under a
// name of its own, removed as soon as it is open. It is remembered before
// it exists, so that a stop in between removes it too. -1 with errno set
// when none can be made.
int NamedSpool(const std::string& folder) {
  constexpr int kAttempts = 16;
  std::random_device random;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = folder + "/.tessaro-spool-" + std::to_string(::getpid()) + "-" +
                             std::to_string(random());
    RememberNewFile(path);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) ::unlink(path.c_str());
    const int error = errno;
    ForgetNewFile();
    errno = error;
    if (fd >= 0 || error != EEXIST) return fd;
  }
  return -1;
}

// Standard output that takes nothing: a pipe that nobody reads, on which
// every write fails.
void NoStandardOutput() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return;
  ::close(ends[0]);
  ::dup2(ends[1], STDOUT_FILENO);
  ::close(ends[1]);
}

class PosixStandardStreams final : public StandardStreams {
 public:
  bool InputIsTerminal() override { return ::isatty(STDIN_FILENO) == 1; }
  bool OutputIsTerminal() override { return ::isatty(STDOUT_FILENO) == 1; }

  std::unique_ptr<File> Input(bool* whole) override {
    Descriptor fd(posix::Duplicate(STDIN_FILENO));
    if (!fd) return nullptr;
    struct stat st;
    *whole = ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
             ::lseek(fd.get(), 0, SEEK_CUR) == 0;
    return std::make_unique<posix::PosixFile>(fd.Release());
  }

  std::string InputPath() override { return "/proc/self/fd/0"; }

  std::unique_ptr<File> CreateSpool() override {
    const std::string folder = TemporaryFolder();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
      fd = NamedSpool(folder);
    }
    if (fd < 0) return nullptr;
    return std::make_unique<posix::PosixFile>(fd);
  }

  std::unique_ptr<File> TakeOutput() override {
    Descriptor data(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
    const int error = errno;
    // Descriptor 1 is never the data's from here: standard error's, or one
    // that takes nothing where there is no standard error.
    if (::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) NoStandardOutput();
    errno = error;
    if (!data) return nullptr;
    return std::make_unique<posix::PosixFile>(data.Release());
  }
};

}  // namespace

StandardStreams& ProcessStandardStreams() {
  static PosixStandardStreams streams;
  return streams;
}

}  // namespace tessaro::cli

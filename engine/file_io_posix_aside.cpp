// The new file written aside: unnamed or under its hidden name while it is
// written, in the output's folder held open, so that every step (its name,
// the rename, the clean-up) happens in that folder even when the folder is
// renamed meanwhile.

#include "engine/file_io_posix_aside.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/file_io_posix_attributes.h"
#include "engine/file_io_posix_file.h"

namespace tessaro::posix {
namespace {

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

// The file is private to the process (mode 0600) while it is written and
// gets its final owner, permissions, extended attributes and ACL only once
// complete, before it is named or renamed into place. Where the file system
// allows it the file has no name until then, and a killed run leaves
// nothing.
class PosixAsideFile final : public AsideFile {
 public:
  PosixAsideFile(Descriptor folder, int fd, bool unnamed, const AsideRequest& request,
                 Descriptor found, mode_t newMode)
      : folder_(std::move(folder)),
        fd_(fd),
        file_(fd),
        unnamed_(unnamed),
        hiddenNamed_(!unnamed),
        target_(request.target),
        hidden_(request.hidden),
        replaces_(request.like != nullptr),
        like_(request.like ? *request.like : PathInfo{}),
        found_(std::move(found)),
        newMode_(newMode) {}
  ~PosixAsideFile() override {
    // Only a regular file is removed: anything else under the name by now
    // is not ours.
    if (hiddenNamed_) RemoveRegularFileAt(folder_.get(), hidden_.c_str());
  }

  File& file() override { return file_; }

  bool PutInPlace() override {
    if (!unnamed_) return Finish(fd_) && file_.Close() && RenameInPlace();
    // Closed before it is named, so that naming and renaming follow each
    // other at once; a second descriptor keeps the file for the naming.
    Descriptor keep(Duplicate(fd_));
    if (!keep) return false;
    if (!Finish(fd_) || !file_.Close()) return false;
    // A new output gets the target's name directly, with no other name in
    // between; one that replaces a file gets the hidden name first.
    if (Link(keep.get(), target_)) return true;
    if (errno == EEXIST) {
      if (!Link(keep.get(), hidden_)) {
        return errno != EEXIST && CopyToHidden(keep.get()) && RenameInPlace();
      }
      hiddenNamed_ = true;
      return RenameInPlace();
    }
    // The system refuses to name it: its data goes under the hidden name.
    return CopyToHidden(keep.get()) && RenameInPlace();
  }

 private:
  // Gives the complete file its final permissions (and the owner, extended
  // attributes and ACL of the file replaced).
  bool Finish(int fd) {
    if (!replaces_) return ::fchmod(fd, newMode_) == 0;
    return TakeOver(found_.get(), fd, like_);
  }

  // Gives the unnamed file a name in the folder: straight from its descriptor
  // where the process may, else through its entry in /proc.
  bool Link(int fd, const std::string& name) {
    if (::linkat(fd, "", folder_.get(), name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) return false;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  }

  // The unnamed file's data in a new file under the hidden name, complete
  // and on the disk.
  bool CopyToHidden(int from) {
    const int fd = ::openat(folder_.get(), hidden_.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    hiddenNamed_ = true;
    PosixFile copy(fd);
    return CopyData(from, copy) && Finish(fd) && copy.Sync() && copy.Close();
  }

  bool RenameInPlace() {
    if (::renameat(folder_.get(), hidden_.c_str(), folder_.get(), target_.c_str()) != 0) {
      return false;
    }
    hiddenNamed_ = false;
    return true;
  }

  const Descriptor folder_;
  const int fd_;  // owned by file_
  PosixFile file_;
  const bool unnamed_;
  bool hiddenNamed_;
  const std::string target_;  // names in folder_
  const std::string hidden_;
  const bool replaces_;
  const PathInfo like_;
  const Descriptor found_;  // the file replaced, for its attributes; -1 where unknown
  const mode_t newMode_;    // a new output's final permissions
};

}  // namespace

std::unique_ptr<AsideFile> CreateAsideAt(const AsideRequest& request) {
  Descriptor folder(Duplicate(request.folder));
  if (!folder) return nullptr;
  Descriptor found(request.like && request.found >= 0 ? Duplicate(request.found) : -1);
  const mode_t newMode = request.like ? 0 : NewFileMode(folder.get());
  int fd = -1;
#if defined(O_TMPFILE)
  if (request.unnamedFiles) {
    // Readable too, so that its data can still go under the hidden name
    // should the system refuse to name it.
    fd = ::openat(folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    // Where the file system cannot hold unnamed files, the hidden name.
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return nullptr;
  }
#endif
  const bool unnamed = fd >= 0;
  if (!unnamed) {
    fd = ::openat(folder.get(), request.hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  0600);
  }
  if (fd < 0) return nullptr;
  return std::make_unique<PosixAsideFile>(std::move(folder), fd, unnamed, request, std::move(found),
                                          newMode);
}

}  // namespace tessaro::posix

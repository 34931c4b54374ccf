#pragma once
// The one seam through which the engine touches files. The real file system
// lives in file_io_posix.cpp / file_io_win32.cpp; tests substitute their own
// to fail any call. A conversion takes its FileSystem by reference, so a front
// end can hand it any implementation (one that discards the output, say).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// Characters that end a folder name in a path.
#if defined(_WIN32)
inline constexpr std::string_view kPathSeparators = "\\/:";
#else
inline constexpr std::string_view kPathSeparators = "/";
#endif

// An open file. Every call reports failure by its return value; nothing throws.
class File {
 public:
  virtual ~File() = default;

  // Reads up to n bytes into buf; *got receives the count (less than n only at
  // the end of the file or on failure). Returns false on a read error.
  virtual bool Read(uint8_t* buf, size_t n, size_t* got) = 0;
  // Writes all n bytes or fails.
  virtual bool Write(const uint8_t* buf, size_t n) = 0;
  virtual bool Seek(uint64_t offset) = 0;
  virtual bool Size(uint64_t* size) = 0;
  virtual bool Truncate(uint64_t size) = 0;
  // Waits until everything written has reached the disk.
  virtual bool Sync() = 0;
  // Releases the file; false when buffered data could not be handed over.
  // The destructor closes a file that was not closed, ignoring errors.
  virtual bool Close() = 0;
};

// What a path names, links followed.
struct PathInfo {
  enum class Kind {
    kMissing,  // nothing (the folder may be missing too)
    kRegular,  // a regular file
    kOther,    // a folder, device, pipe, socket, or a path that cannot be examined
  };
  Kind kind = Kind::kMissing;
  bool writable = false;     // a regular file this user may write to
  uint32_t permissions = 0;  // a regular file's permission bits (POSIX mode & 07777)
  uint32_t owner = 0;        // a regular file's owner and group (POSIX)
  uint32_t group = 0;
};

// Which file a path names, links followed: two paths with equal keys name one
// file (POSIX: device and inode; Windows: volume and file index).
struct FileKey {
  uint64_t device = 0;
  uint64_t file = 0;
  bool operator==(const FileKey&) const = default;
};

// A new file that is to take the place of another path (its target) once it
// is complete; made by FileSystem::CreateAside.
class AsideFile {
 public:
  // Removes the new file unless PutInPlace() succeeded.
  virtual ~AsideFile() = default;
  virtual File& file() = 0;
  // Closes the file and puts it in the place of its target in one step,
  // replacing whatever file is there. False on failure.
  virtual bool PutInPlace() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file for reading; nullptr on failure (missing, not a
  // regular file such as a directory, a device or a pipe, no permission,
  // locked). Never waits for another program.
  virtual std::unique_ptr<File> OpenRead(const std::string& path) = 0;
  virtual PathInfo Stat(const std::string& path) = 0;
  // The path a symbolic link (or a chain of them) finally names; the path
  // itself when it is no link. Empty when the chain cannot be followed.
  virtual std::string ResolveLinks(const std::string& path) = 0;
  // True when reaching what path names would follow a symbolic link that
  // lies in a folder everyone may write to but only owners may delete from
  // (sticky, like the system's temporary folder) and that belongs neither to
  // this user nor to the folder's owner: a link another user may have
  // planted there, which is never written through.
  virtual bool ThroughPlantedLink(const std::string& path) {
    (void)path;
    return false;
  }
  // Creates a new file for writing; nullptr when the path exists or the file
  // cannot be made. It gets the permissions a plainly created file gets, or
  // those of `like` when given.
  virtual std::unique_ptr<File> CreateExclusive(const std::string& path,
                                                const PathInfo* like) = 0;
  // Puts the closed file `from` in the place of `to` in one step, replacing
  // whatever file was there.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Deletes a regular file (a failed conversion's new file); false if it could
  // not be removed. Anything else the path names is left alone.
  virtual bool Remove(const std::string& path) = 0;
  // Creates the new file that is to take the place of `target`, in target's
  // folder, with the permissions CreateExclusive gives it (where the system
  // allows, it is private to the process until complete and gets them only
  // then, with the replaced file's extended attributes and ACL). `hidden` is a free
  // name in that folder; the file has that name while it is written (this
  // default makes it with CreateExclusive and puts it in place with Rename),
  // or no name at all where the system allows. nullptr when hidden exists or
  // the file cannot be made.
  virtual std::unique_ptr<AsideFile> CreateAside(const std::string& target,
                                                 const std::string& hidden, const PathInfo* like);
  // What the hidden names of this run's new files carry in front of their
  // random part, so that a later run can tell one left by a run that has
  // ended: the process id and "-" on POSIX, nothing where unused.
  virtual std::string RunTag() { return {}; }
  // True when both paths name one existing file (through links or another
  // spelling). False when either does not exist.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // The system's words for why this thread's last call that failed did
  // ("No such file or directory"), for messages; "" when they are not known.
  virtual std::string LastErrorText() { return {}; }
  // The key of the file path names, for comparing many paths at the cost of
  // one look each; nullopt when nothing is there or it cannot be examined
  // (this default: never known, so callers compare the paths alone).
  virtual std::optional<FileKey> Identify(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
};

// The platform's file system. Safe to share.
FileSystem& RealFileSystem();

#if !defined(_WIN32)
// The same, with new files always under their hidden names, as on a file
// system that cannot hold unnamed files.
FileSystem& RealFileSystemWithHiddenNames();

// The folder that path's last name is in, opened only to work in it (no
// right to list it needed); -1 when it cannot be opened. *name is that last
// name.
int OpenFolderOf(const std::string& path, std::string* name);

// Removes name from folder if it is a regular file there: anything else under
// the name is not ours. Safe to call from a signal handler.
bool RemoveRegularFileAt(int folder, const char* name);
#endif

}  // namespace tessaro

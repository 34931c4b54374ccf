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
#include <utility>

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
  // A regular file in a folder everyone may write to but only owners may
  // delete from (sticky, like the system's temporary folder) that belongs
  // neither to this user nor to the folder's owner: another user may have
  // put it there to be handed this user's data, so it is never replaced
  // (the system refuses to open such a file to create it, where it protects
  // regular files).
  bool othersInSharedFolder = false;
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

// Where a path leads, found once (FileSystem::Resolve): the folder its last
// name is in, held where the system allows, that name, and what the name
// held then, links followed. Every later step on it (its checks, its first
// bytes, the new file beside it, the step into its place, a removal) works
// in that folder on what was found, so nothing swapped on the path
// meanwhile can send it elsewhere.
class Destination {
 public:
  virtual ~Destination() = default;
  // What the name held when it was found.
  virtual const PathInfo& info() const = 0;
  // The last name, in its folder.
  virtual const std::string& name() const = 0;
  // True when what was found is the file `path` names (through links or
  // another spelling); false when nothing was found.
  virtual bool Holds(const std::string& path) = 0;
  // The regular file found, opened for reading from its start; nullptr when
  // it cannot be read.
  virtual std::unique_ptr<File> OpenFound() = 0;
  // Creates the new file that is to take the name's place, in its folder,
  // as FileSystem::CreateAside does; hiddenName is a name in that folder.
  virtual std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                                 const PathInfo* like) = 0;
  // True unless nothing has `name` in the folder.
  virtual bool Exists(const std::string& name) = 0;
  // The path of `name` in the folder, as far as it is known: for systems
  // that work by paths, and for messages.
  virtual std::string PathOf(const std::string& name) const = 0;
  // The folder held open (a POSIX descriptor the destination owns); -1
  // where the destination is kept as a path.
  virtual int folder() const { return -1; }
};

// A destination that passes every call on to another: the base of one that
// changes only some of them.
class ForwardingDestination : public Destination {
 public:
  explicit ForwardingDestination(std::unique_ptr<Destination> inner) : inner_(std::move(inner)) {}
  const PathInfo& info() const override { return inner_->info(); }
  const std::string& name() const override { return inner_->name(); }
  bool Holds(const std::string& path) override { return inner_->Holds(path); }
  std::unique_ptr<File> OpenFound() override { return inner_->OpenFound(); }
  std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                         const PathInfo* like) override {
    return inner_->CreateAside(hiddenName, like);
  }
  bool Exists(const std::string& name) override { return inner_->Exists(name); }
  std::string PathOf(const std::string& name) const override { return inner_->PathOf(name); }
  int folder() const override { return inner_->folder(); }

 protected:
  Destination& inner() { return *inner_; }

 private:
  std::unique_ptr<Destination> inner_;
};

// Why FileSystem::Resolve found no destination.
enum class DestinationRefusal {
  kNone,
  // A folder on the way is missing or cannot be entered, or the links do
  // not end; LastErrorText says why.
  kUnreachable,
  // The way follows a symbolic link that lies in a folder everyone may
  // write to but only owners may delete from (sticky) and that belongs
  // neither to this user nor to the folder's owner: a link another user
  // may have planted there, which is never followed.
  kPlantedLink,
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file for reading; nullptr on failure (missing, not a
  // regular file such as a directory, a device or a pipe, no permission,
  // locked). Never waits for another program.
  virtual std::unique_ptr<File> OpenRead(const std::string& path) = 0;
  virtual PathInfo Stat(const std::string& path) = 0;
  // Finds where path leads, once, for writing there: its links followed
  // (except a planted one), the folder of its last name held. nullptr with
  // *refusal saying why when there is no such destination. This default
  // builds the destination from the path calls below (ResolveLinks, Stat,
  // OpenRead, CreateAside, SameFile), each of which looks the path up again.
  virtual std::unique_ptr<Destination> Resolve(const std::string& path,
                                               DestinationRefusal* refusal);
  // The path a symbolic link (or a chain of them) finally names; the path
  // itself when it is no link. Empty when the chain cannot be followed.
  // Only the default Resolve asks; this default follows no link.
  virtual std::string ResolveLinks(const std::string& path) { return path; }
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
  // ended: on POSIX a tag of the boot and process namespace, "-", the
  // process id and "-"; nothing where unused.
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

#pragma once
// A FileSystem held in memory, for tests: files are path -> bytes, every call
// is counted, and any single call can be made to fail.
//
// Typical fault sweep over a small conversion:
//
//   MemoryFileSystem probe;            // dry run: how many calls are made?
//   probe.SetFile("in.aac", stream);
//   Convert(probe);
//   for (uint64_t k = 1; k <= probe.callCount(); ++k) {
//     MemoryFileSystem fs;
//     fs.SetFile("in.aac", stream);
//     fs.FailCall(k);                  // the k-th call, whatever it is
//     Convert(fs);
//     ... fs.callLog()[k - 1] says which operation failed ...
//   }
//
// Semantics follow the real file systems closely enough for the engine:
// files exist from CreateExclusive on (empty), handles keep reading and
// writing the file's bytes even after Remove or Rename, and Rename replaces
// the file at its destination whole. Aliases stand for symbolic links,
// "special" paths for folders and devices. The file system must outlive the
// handles it gave out.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/file_io.h"

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

// Every operation of FileSystem and File that is counted and can fail.
enum class FsOp {
  kOpenRead,
  kStat,          // fails as a path that cannot be examined
  kResolveLinks,  // fails as a link that cannot be followed
  kCreate,        // CreateExclusive
  kRename,
  kRemove,
  kSameFile,  // counted, never fails
  kRead,
  kWrite,
  kSeek,
  kSize,
  kTruncate,
  kSync,
  kClose,
};
const char* FsOpName(FsOp op);

// How an injected fault shows itself.
enum class FaultMode {
  // The call fails: OpenRead/Create return nullptr, the others false; nothing
  // is read, written or changed.
  kFail,
  // Read: returns fewer bytes than asked (half, rounded down) and true; the
  // file position advances only past the bytes returned, so a later read goes
  // on from there. Write: stores the first half of the bytes, then returns
  // false. Any other operation: as kFail.
  kShort,
};

class MemoryFileSystem final : public FileSystem {
 public:
  MemoryFileSystem();
  ~MemoryFileSystem() override;

  // --- Contents -----------------------------------------------------------
  void SetFile(const std::string& path, Bytes bytes);
  void SetFile(const std::string& path, const std::string& bytes);
  bool Exists(const std::string& path) const;
  // The file's bytes; an empty vector when it does not exist.
  Bytes Contents(const std::string& path) const;
  std::vector<std::string> Paths() const;

  // Makes `alias` another name of the file `target` (a link): every
  // operation on `alias` acts on `target`, and SameFile(alias, target) is
  // true while the target exists.
  void AddAlias(const std::string& alias, const std::string& target);
  // Makes path something other than a regular file (a folder, a device).
  void AddSpecial(const std::string& path);
  // Permission bits of a file (0644 unless set); without 0200 it is read-only.
  void SetPermissions(const std::string& path, uint32_t permissions);
  uint32_t Permissions(const std::string& path) const;
  // True once the file's handle was synced and nothing was written after.
  bool Synced(const std::string& path) const;

  // A small disk: writing or truncating a file past `bytes` fails, as on a
  // full disk (unlimited by default).
  void SetFileSizeLimit(uint64_t bytes) { fileSizeLimit_ = bytes; }

  // --- Faults -------------------------------------------------------------
  // Fails the nth call (1-based) counted over all operations, as callCount()
  // counts them. A kSameFile call at that count is not failed (the fault is
  // then never hit).
  void FailCall(uint64_t nth, FaultMode mode = FaultMode::kFail);
  // Fails the nth call (1-based) of one operation.
  void FailOp(FsOp op, uint64_t nth, FaultMode mode = FaultMode::kFail);
  // True once an injected fault has been applied.
  bool faultHit() const { return faultHit_; }

  // Called as each operation starts, once it is counted: a test acts there
  // as a user would while a slow disk holds the program.
  std::function<void(FsOp)> whileCalling;

  // --- Counting -----------------------------------------------------------
  uint64_t callCount() const { return log_.size(); }
  uint64_t callCount(FsOp op) const;
  // Every call so far, in order: callLog()[k - 1] is the k-th call.
  const std::vector<FsOp>& callLog() const { return log_; }
  // File handles not yet destroyed.
  int openHandles() const { return *openHandles_; }

  // --- FileSystem ---------------------------------------------------------
  std::unique_ptr<File> OpenRead(const std::string& path) override;
  PathInfo Stat(const std::string& path) override;
  std::string ResolveLinks(const std::string& path) override;
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  // Counted as kSameFile; the key is the file's storage, aliases followed.
  std::optional<FileKey> Identify(const std::string& path) override;

 private:
  class Handle;
  friend class Handle;

  struct Fault {
    std::optional<FsOp> op;  // none: counted over all operations
    uint64_t nth;
    FaultMode mode;
  };

  // Counts a call; returns the fault to apply to it, if any.
  std::optional<FaultMode> Count(FsOp op);
  std::string FollowLinks(const std::string& path) const;
  bool PastLimit(uint64_t size) const { return fileSizeLimit_ && size > *fileSizeLimit_; }

  std::map<std::string, std::shared_ptr<Bytes>> files_;
  std::map<std::string, std::string> aliases_;
  std::set<std::string> specials_;
  std::map<const Bytes*, uint32_t> permissions_;
  std::set<const Bytes*> synced_;
  std::vector<Fault> faults_;
  std::vector<FsOp> log_;
  std::map<FsOp, uint64_t> perOp_;
  bool faultHit_ = false;
  std::optional<uint64_t> fileSizeLimit_;
  std::shared_ptr<int> openHandles_;
};

}  // namespace tessaro::testing

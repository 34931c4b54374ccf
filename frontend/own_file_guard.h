#pragma once
// A run of several files (a console batch, the dialog's queue) never writes
// over its own files: not over another of its inputs, and not over what an
// earlier file of the run has written.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/file_io.h"
#include "frontend/path_list.h"

namespace tessaro {

// What an output would write over, for the front end to word.
struct OwnFileHit {
  enum class Kind { kNone, kInput, kEarlierOutput };
  Kind kind = Kind::kNone;
  // The input it is (kInput), or the input whose output it is (kEarlierOutput).
  std::string input;
};

// Two paths are one file when the file system gives them one key (links,
// another spelling) or when they are the same path once made absolute and
// normal. Every file is looked at once, and a look costs the same however
// long the run is; the working folder is read once. Per file the guard
// keeps only what tells files apart, in flat arrays: a hash of an input's
// key (of its normal path where the file system gives it no key, as for a
// file not there yet), and an output's key once written (its normal path
// where it has no key). A hash that matches is checked on the file itself.
class OwnFileGuard {
 public:
  // inputs are read where they are, not copied: they must outlive the guard.
  OwnFileGuard(const PathList& inputs, FileSystem& fs);

  // Before inputs[index] is converted to output. The input itself is left to
  // the conversion, which refuses it in its own words.
  OwnFileHit Overwrites(size_t index, const std::string& output) const;

  // After inputs[index] has been written to output.
  void Wrote(size_t index, const std::string& output);

 private:
  // An input by a 64-bit hash of its key or of its normal path; an input
  // found by one is looked at again to tell it from another that hashes
  // alike. 12 bytes: the hash in two halves keeps the entry unpadded.
  struct Entry {
    uint32_t high;
    uint32_t low;
    uint32_t index;
    uint64_t hash() const { return uint64_t{high} << 32 | low; }
  };
  static Entry EntryOf(uint64_t hash, size_t index);
  static bool HashLess(const Entry& a, const Entry& b) { return a.hash() < b.hash(); }
  std::u8string Normalised(std::string_view path) const;
  // The first input other than index whose key, or whose normal path, this is.
  std::optional<size_t> OtherInput(const std::optional<FileKey>& key, const std::u8string& name,
                                   size_t index) const;
  // The input whose output had this key, if any.
  std::optional<size_t> WrittenFor(const FileKey& key) const;

  const PathList& inputs_;
  FileSystem& fs_;
  std::filesystem::path workingFolder_;
  std::vector<Entry> inputKeys_;   // sorted by hash
  std::vector<Entry> inputNames_;  // of inputs without a key, sorted by hash
  // The key of each input's output, by the input's number, and a table of
  // those numbers by the key's hash (open addressing, at most half full).
  std::vector<FileKey> writtenKeys_;
  std::vector<uint32_t> writtenSlots_;
  std::unordered_map<std::u8string, uint32_t> writtenNames_;  // outputs without a key
};

}  // namespace tessaro

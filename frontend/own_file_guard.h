#pragma once
// A run of several files (a console batch, the dialog's queue) never writes
// over its own files: not over another of its inputs, and not over what an
// earlier file of the run has written.

#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/file_io.h"

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
// normal. Every file is looked at once and kept in hash tables, so a run of
// n files costs n looks, not n squared; the working folder is read once.
class OwnFileGuard {
 public:
  OwnFileGuard(std::vector<std::string> inputs, FileSystem& fs);

  // Before inputs[index] is converted to output. The input itself is left to
  // the conversion, which refuses it in its own words.
  OwnFileHit Overwrites(size_t index, const std::string& output) const;

  // After inputs[index] has been written to output.
  void Wrote(size_t index, const std::string& output);

 private:
  struct KeyHash {
    size_t operator()(const FileKey& key) const noexcept {
      return std::hash<uint64_t>()(key.file) ^ (std::hash<uint64_t>()(key.device) << 1);
    }
  };
  std::u8string Normalised(const std::string& path) const;
  // The first input under name other than index, if any.
  template <typename Map, typename Name>
  static const size_t* OtherInput(const Map& map, const Name& name, size_t index);

  std::vector<std::string> inputs_;
  FileSystem& fs_;
  std::filesystem::path workingFolder_;
  // The inputs under each key and name (a file may be given twice), and the
  // input whose output each key and name is.
  std::unordered_map<FileKey, std::vector<size_t>, KeyHash> inputKeys_;
  std::unordered_map<std::u8string, std::vector<size_t>> inputNames_;
  std::unordered_map<FileKey, size_t, KeyHash> writtenKeys_;
  std::unordered_map<std::u8string, size_t> writtenNames_;
};

}  // namespace tessaro

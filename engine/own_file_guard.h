#pragma once
// A run of several files (a console batch, the dialog's queue) never writes
// over its own files: not over another of its inputs, and not over what an
// earlier file of the run has written.

#include <cstddef>
#include <string>
#include <utility>
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

class OwnFileGuard {
 public:
  OwnFileGuard(std::vector<std::string> inputs, FileSystem& fs)
      : inputs_(std::move(inputs)), fs_(fs) {}

  // Before inputs[index] is converted to output. Two paths are one file when
  // the file system says so (links, another spelling) or when they are the
  // same path once made absolute and normal. The input itself is left to the
  // conversion, which refuses it in its own words.
  OwnFileHit Overwrites(size_t index, const std::string& output) const;

  // After inputs[index] has been written to output.
  void Wrote(size_t index, const std::string& output);

 private:
  struct Written {
    size_t input;
    std::string output;
  };
  bool SameFile(const std::string& a, const std::string& b) const;

  std::vector<std::string> inputs_;
  FileSystem& fs_;
  std::vector<Written> written_;
};

}  // namespace tessaro

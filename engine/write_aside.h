#pragma once
// Replacing a file without ever leaving it half written: the new file is
// written aside in the same folder (unnamed where the system allows it, else
// under a hidden name of its own) and put in the place of the old one in one
// step once it is complete. Used for every file the programs write: the
// conversions' outputs and the dialog's settings file.

#include <memory>
#include <string>

#include "engine/file_io.h"

namespace tessaro {

class WriteAside {
 public:
  // Creates the new file that is to take the place of what `destination` found.
  // The new file takes the permissions of a regular file it replaces (and
  // its owner and group where the process may set them). nullptr when it
  // cannot be made.
  static std::unique_ptr<WriteAside> Create(FileSystem& fs, Destination& destination);

  WriteAside(const WriteAside&) = delete;
  WriteAside& operator=(const WriteAside&) = delete;
  // Removes the new file unless Commit() succeeded: target keeps what it held.
  ~WriteAside() = default;

  File& file() { return aside_->file(); }
  // Flushes the file to the disk when `sync` is set (so that a power cut
  // leaves the old file or the new one), closes it and puts it in place.
  // False on failure.
  bool Commit(bool sync);

 private:
  explicit WriteAside(std::unique_ptr<AsideFile> aside) : aside_(std::move(aside)) {}

  std::unique_ptr<AsideFile> aside_;
};

// The hidden name a new file gets beside the file named targetName while it
// needs one: ".NAME.tessaro-", the run's tag and six characters of suffix.
std::string AsideName(const std::string& targetName, const std::string& suffix);

// The run tag of `name` when it is exactly a hidden name AsideName gives
// targetName; "" when it is not one (or carries no tag).
std::string AsideTag(const std::string& targetName, const std::string& name);

}  // namespace tessaro

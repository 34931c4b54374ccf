#pragma once
// The new file written aside in the output's folder and put in place in one
// step, on POSIX systems.

#include <memory>
#include <string>

#include "engine/file_io.h"

namespace tessaro::posix {

// What the new file is made from: the folder held open (duplicated here),
// the name it is to take (`target`) and the hidden name it has while it
// needs one; like and found describe the file replaced (nullptr and -1 for
// a new output; found may be -1 where that file could not be read).
struct AsideRequest {
  int folder = -1;
  std::string target;
  std::string hidden;
  const PathInfo* like = nullptr;
  int found = -1;
  bool unnamedFiles = true;  // no name at all while written, where the file system allows
};

// Creates the new file: private to the process (mode 0600) while it is
// written, with its final owner, permissions, extended attributes and ACL
// only once complete, before it is named or renamed into place. nullptr
// when it cannot be made (the hidden name is taken, the folder refuses).
std::unique_ptr<AsideFile> CreateAsideAt(const AsideRequest& request);

}  // namespace tessaro::posix

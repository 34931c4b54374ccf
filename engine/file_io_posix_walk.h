#pragma once
// Finding where a path leads, once, by descriptors: name by name from a
// folder held open, each symbolic link read from exactly the link that was
// looked at and judged where it lies, so that nothing swapped on the path
// meanwhile can send an output elsewhere.

#include <sys/stat.h>

#include <string>

#include "engine/file_io.h"
#include "engine/file_io_posix_file.h"

namespace tessaro::posix {

// What the walk of a path found.
struct Found {
  Descriptor folder;       // the folder the last name is in, held (O_PATH)
  std::string folderPath;  // its path as walked, links replaced ("" is the working folder)
  std::string name;        // the last name; "" when the path ends in a folder
  // What the name holds: open for reading where it is a regular file this
  // process may read, else held without access (O_PATH); none when nothing
  // is there.
  Descriptor file;
  bool readable = false;
  struct stat st {};  // of file
  bool othersInSharedFolder = false;  // file is a regular file of the sharing rule below
};

// Walks path as the system would, but following every link itself: each
// name is opened as it is (a link as the link), a link's text is read from
// that descriptor and walked on from the folder it lies in. Refuses a link
// the sharing rule below picks (kPlantedLink) and one of the system's own
// links to open objects (/proc/PID/fd/N, cwd, root: errno ELOOP, as the
// system's RESOLVE_NO_MAGICLINKS refuses them). kUnreachable with errno set
// where a folder on the way is missing or cannot be entered, or the links
// do not end (ELOOP after 40). A missing last name is found as nothing.
DestinationRefusal WalkPath(const std::string& path, Found* found);

// The system's rule for what others may leave in a shared folder (one
// everyone may write to and only owners may delete from, sticky, like the
// system's temporary folder): a link or file there that belongs neither to
// this user nor to the folder's owner may have been put there by another
// user, so a link is not followed and a file is not written to.
bool OthersInSharedFolder(const struct stat& folder, uid_t owner);

}  // namespace tessaro::posix

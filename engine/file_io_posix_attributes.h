#pragma once
// The attributes a complete new file gets before it is named or renamed
// into place: who may read it, and the extended attributes and ACL of the
// file it replaces.

#include <sys/types.h>

#include "engine/file_io.h"

namespace tessaro::posix {

// The permissions a file plainly created in folder (held open) gets: as the
// folder's default ACL says where it has one (its entries within 0666),
// else 0666 without the process's umask.
mode_t NewFileMode(int folder);

// Gives the complete file `to` (private until now) the owner, group and
// permissions of the file replaced (like), and the extended attributes and
// ACL of that file where it is held open (from; -1 when it could not be
// read). The owner and group are set where the process may (as root;
// otherwise a group it belongs to). On the way no one gets more than the
// end state gives: the owner's bits are narrowed before the owner changes,
// the ACL comes before the group's bits, which stand for the ACL's mask.
// False when the final permissions cannot be set.
bool TakeOver(int from, int to, const PathInfo& like);

}  // namespace tessaro::posix

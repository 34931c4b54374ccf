// Permissions, owner, extended attributes and ACLs of new files.

#include "engine/file_io_posix_attributes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/file_io_posix_file.h"

namespace tessaro::posix {
namespace {

constexpr char kAccessAcl[] = "system.posix_acl_access";
constexpr char kDefaultAcl[] = "system.posix_acl_default";

// One extended attribute's value through get(buffer, size), which answers
// as getxattr does; false when there is none or it cannot be read.
template <typename Get>
bool ReadValue(Get get, std::string* value) {
  for (int tries = 0; tries < 4; ++tries) {  // it may grow between the two calls
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return false;
    value->assign(static_cast<size_t>(size), '\0');
    const ssize_t n = get(value->data(), value->size());
    if (n >= 0) {
      value->resize(static_cast<size_t>(n));
      return true;
    }
    if (errno != ERANGE) return false;
  }
  return false;
}

// The permission bits of an ACL's entries for the owner, the owning group,
// the mask (the group bits where it has none) and others. An ACL in its
// stored form: a version word, then entries of a 16-bit tag, 16-bit
// permissions and a 32-bit id, all little-endian.
struct AclBits {
  unsigned owner = 0, owningGroup = 0, mask = 0, other = 0;
};
AclBits ReadAcl(const std::string& acl) {
  constexpr size_t kHeader = 4, kEntry = 8;
  constexpr unsigned kOwner = 0x01, kOwningGroup = 0x04, kMask = 0x10, kOther = 0x20;
  AclBits bits;
  bool masked = false;
  for (size_t at = kHeader; at + kEntry <= acl.size(); at += kEntry) {
    const auto byte = [&](size_t i) {
      return static_cast<unsigned>(static_cast<uint8_t>(acl[at + i]));
    };
    const unsigned tag = byte(0) | byte(1) << 8;
    const unsigned perm = (byte(2) | byte(3) << 8) & 7;
    if (tag == kOwner) bits.owner = perm;
    if (tag == kOwningGroup) bits.owningGroup = perm;
    if (tag == kOther) bits.other = perm;
    if (tag == kMask) {
      bits.mask = perm;
      masked = true;
    }
  }
  if (!masked) bits.mask = bits.owningGroup;
  return bits;
}

// The permissions a plainly created file gets under the process's umask,
// read without changing it where the system tells it.
mode_t PlainMode() {
  mode_t mask = 0;
  bool known = false;
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n > 0) {
      buf[n] = '\0';
      if (const char* line = std::strstr(buf, "\nUmask:")) {
        mask = static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8));
        known = true;
      }
    }
  }
  if (!known) {
    mask = ::umask(022);
    ::umask(mask);
  }
  return 0666 & ~mask;
}

// The folder's default ACL. The folder is held only to work in it, which
// gives no access to its attributes: they are read through the folder
// opened for listing, or where that is not allowed through the process's
// own entry for the descriptor.
bool DefaultAcl(int folder, std::string* acl) {
  Descriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (listing) {
    return ReadValue(
        [&](char* buf, size_t n) { return ::fgetxattr(listing.get(), kDefaultAcl, buf, n); }, acl);
  }
  const std::string self = "/proc/self/fd/" + std::to_string(folder);
  return ReadValue(
      [&](char* buf, size_t n) { return ::getxattr(self.c_str(), kDefaultAcl, buf, n); }, acl);
}

// Copies the extended attributes of one file, its ACL among them, to
// another, as far as the file system and the process allow, and returns the
// permissions the copy is to end with. Where the ACL cannot be kept, its
// group bits (which stand for the ACL's mask) would grant the owning group
// what the named entries had: they become what the owning-group entry
// allowed within the mask instead (an ACL that cannot be read gives the
// group nothing). Where the replaced file has no ACL, one the new file took
// from its folder's default ACL goes.
mode_t KeepAttributes(int from, int to, mode_t permissions) {
  std::string names;
  if (!ReadValue([&](char* buf, size_t n) { return ::flistxattr(from, buf, n); }, &names)) {
    return permissions;
  }
  mode_t end = permissions;
  bool hadAcl = false;
  std::string value;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
    const char* name = names.c_str() + at;
    const bool read =
        ReadValue([&](char* buf, size_t n) { return ::fgetxattr(from, name, buf, n); }, &value);
    if (!read) value.clear();
    const bool kept = read && ::fsetxattr(to, name, value.data(), value.size(), 0) == 0;
    if (std::strcmp(name, kAccessAcl) != 0) continue;
    hadAcl = true;
    if (!kept) {
      const AclBits acl = ReadAcl(value);
      end = (permissions & ~mode_t{070}) | static_cast<mode_t>((acl.owningGroup & acl.mask) << 3);
    }
  }
  if (!hadAcl) (void)!::fremovexattr(to, kAccessAcl);
  return end;
}

}  // namespace

mode_t NewFileMode(int folder) {
  constexpr size_t kLeast = 4 + 3 * 8;  // a version word and three entries
  std::string acl;
  if (!DefaultAcl(folder, &acl) || acl.size() < kLeast) return PlainMode();
  // As the system makes a file of mode 0666 in such a folder: the ACL's
  // entries within that mode, no umask.
  const AclBits bits = ReadAcl(acl);
  return static_cast<mode_t>((bits.owner & 6) << 6 | (bits.mask & 6) << 3 | (bits.other & 6));
}

bool TakeOver(int from, int to, const PathInfo& like) {
  const mode_t end = static_cast<mode_t>(like.permissions) & 07777;
  if (::fchmod(to, end & 0600) != 0) return false;
  if (::fchown(to, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) != 0) {
    (void)!::fchown(to, static_cast<uid_t>(-1), static_cast<gid_t>(like.group));
  }
  return ::fchmod(to, from >= 0 ? KeepAttributes(from, to, end) : end) == 0;
}

}  // namespace tessaro::posix

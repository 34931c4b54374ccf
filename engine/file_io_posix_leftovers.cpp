// Leftovers of killed runs: told apart by the boot, the process namespace
// and the process that made them, and removed once that process has ended.

#include "engine/file_io_posix_leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/file_io.h"
#include "engine/file_io_posix_file.h"
#include "engine/write_aside.h"

namespace tessaro::posix {
namespace {

constexpr size_t kScopeLength = 8;

// The first line of a small file of the system; "" when it cannot be read.
std::string FirstLine(const char* path) {
  Descriptor fd(::open(path, O_RDONLY | O_CLOEXEC));
  if (!fd) return {};
  char buf[128];
  const ssize_t n = ::read(fd.get(), buf, sizeof buf);
  if (n <= 0) return {};
  const std::string_view text(buf, static_cast<size_t>(n));
  return std::string(text.substr(0, text.find('\n')));
}

// Eight letters and digits for the boot and the process namespace: the
// boot's random id (new at every start of the system, another on every
// machine) and the namespace's identity, hashed (FNV-1a, 64 bits).
std::string ScopeOf(const std::string& boot, const struct stat& ns) {
  const std::string key = boot + ":" + std::to_string(ns.st_dev) + ":" + std::to_string(ns.st_ino);
  uint64_t hash = 14695981039346656037u;
  for (const char c : key) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211u;
  constexpr std::string_view kChars = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string scope;
  for (size_t i = 0; i < kScopeLength; ++i, hash /= kChars.size()) {
    scope += kChars[hash % kChars.size()];
  }
  return scope;
}

// Whether the run whose tag a hidden name carries ("SCOPE-PID-") was of
// this scope and has ended.
bool RunEnded(const std::string& tag, const std::string& scope) {
  if (scope.empty() || tag.size() < kScopeLength + 3 || !tag.starts_with(scope) ||
      tag[kScopeLength] != '-') {
    return false;
  }
  const std::string pid = tag.substr(kScopeLength + 1);
  if (pid.back() != '-' || pid.find_first_not_of("0123456789") != pid.size() - 1 ||
      pid[0] == '0') {
    return false;
  }
  const long number = std::strtol(pid.c_str(), nullptr, 10);
  if (number <= 0 || number > INT_MAX || number == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(number), 0) != 0 && errno == ESRCH;
}

// The hidden names in a folder (names that start with "." and hold
// ".tessaro-"): where earlier runs may have left new files.
std::vector<std::string> HiddenNamesIn(int folder) {
  std::vector<std::string> names;
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return names;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return names;
  }
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name.starts_with('.') && name.find(".tessaro-") != std::string_view::npos) {
      names.emplace_back(name);
    }
  }
  ::closedir(dir);
  return names;
}

}  // namespace

std::string Leftovers::Scope() {
  const pid_t self = ::getpid();
  if (scopePid_ != self) {
    const std::string boot = FirstLine("/proc/sys/kernel/random/boot_id");
    struct stat ns;
    const bool known = !boot.empty() && ::stat("/proc/self/ns/pid", &ns) == 0;
    scope_ = known ? ScopeOf(boot, ns) : std::string();
    scopePid_ = self;
  }
  return scope_;
}

std::string Leftovers::RunTag() {
  const std::lock_guard<std::mutex> guard(lock_);
  const std::string scope = Scope();
  if (scope.empty()) return {};
  return scope + "-" + std::to_string(::getpid()) + "-";
}

void Leftovers::RemoveFor(int folder, const std::string& targetName) {
  struct stat f;
  if (::fstat(folder, &f) != 0) return;
  const std::lock_guard<std::mutex> guard(lock_);
  const std::string scope = Scope();
  auto [found, fresh] = seen_.try_emplace({f.st_dev, f.st_ino});
  std::vector<std::string>& names = found->second;
  if (fresh) names = HiddenNamesIn(folder);
  for (auto name = names.begin(); name != names.end();) {
    if (!RunEnded(AsideTag(targetName, *name), scope)) {
      ++name;
      continue;
    }
    RemoveRegularFileAt(folder, name->c_str());
    name = names.erase(name);
  }
}

}  // namespace tessaro::posix

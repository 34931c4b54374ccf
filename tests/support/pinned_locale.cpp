// Linked into every POSIX test program: the locale variables are pinned to
// C.UTF-8 before main, so the programs the tests start speak Japanese
// whatever the machine's locale is. Tests of other languages name their own.
#include <cstdlib>
#include <initializer_list>

namespace {

const bool kPinned = [] {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) ::unsetenv(name);
  ::setenv("LANG", "C.UTF-8", 1);
  return true;
}();

}  // namespace

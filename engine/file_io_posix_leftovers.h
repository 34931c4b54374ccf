#pragma once
// The hidden files that runs killed before they were done left behind, and
// the tag in each hidden name that tells which run made it.

#include <sys/types.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::posix {

class Leftovers {
 public:
  // This run's tag for its hidden names: a tag of the boot and the process
  // namespace, "-", the process id and "-" ("k3x9q0ab-4711-"); "" where the
  // system does not tell the boot or the namespace, so that no run takes
  // this run's files for a leftover.
  std::string RunTag();

  // Removes the hidden files killed runs left for targetName in folder:
  // exactly its hidden names, regular files, whose tag is of this boot and
  // this process namespace and whose process has ended (a process that
  // exists but may not be signalled is alive). The folder is read once per
  // process; later outputs in it look only at what was found.
  void RemoveFor(int folder, const std::string& targetName);

 private:
  // The boot and namespace part of RunTag, found afresh in a new process.
  std::string Scope();

  std::mutex lock_;
  pid_t scopePid_ = 0;
  std::string scope_;
  std::map<std::pair<dev_t, ino_t>, std::vector<std::string>> seen_;
};

}  // namespace tessaro::posix

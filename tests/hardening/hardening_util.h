#pragma once
// Helpers of the hardening tests that run the real tessaro-cli.

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"

namespace tessaro::hardening {

using e2e::kCli;
using e2e::kSamples;
inline const std::string kWriteFailed = "エラー：出力ファイルに、書き込めません。\n";
inline const std::string kOutputNotOpenable = "エラー：出力ファイルが、開けません。\n";
inline const std::string kInputNotOpenable = "エラー：入力ファイルが、開けません。\n";

// Runs tessaro-cli with the arguments in directory dir, killed after 60 s so
// that a hang fails the test (exit status 124) instead of stopping the suite.
inline e2e::ProcessResult RunCliIn(const std::string& dir, const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"timeout", "60", "env", "-C", dir, kCli};
  argv.insert(argv.end(), args.begin(), args.end());
  return e2e::RunProgram(argv);
}

inline bool IsCharDevice(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The names in a directory, without "." and "..".
inline std::set<std::string> DirectoryEntries(const std::string& dir) {
  std::set<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) names.insert(e->d_name);
    ::closedir(d);
  }
  names.erase(".");
  names.erase("..");
  return names;
}

}  // namespace tessaro::hardening

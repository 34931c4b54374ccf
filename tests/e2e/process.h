#pragma once
// Runs a real program for end-to-end tests and captures what it printed.

#include <string>
#include <vector>

namespace tessaro::e2e {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The locale variables a child gets unless a test names others: C.UTF-8, under
// which the programs speak Japanese whatever the machine's own locale is.
inline const std::vector<std::string> kDefaultLocale = {"LANG=C.UTF-8"};

// This process's environment ("NAME=value" entries) without LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG, and with the given entries of those instead.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& locale = kDefaultLocale);

// Runs argv[0] with the given arguments (no shell involved in the arguments)
// in ChildEnvironment(locale).
ProcessResult RunProgram(const std::vector<std::string>& argv,
                         const std::vector<std::string>& locale = kDefaultLocale);

// True when a program of that name is on PATH.
bool HaveTool(const std::string& name);

}  // namespace tessaro::e2e

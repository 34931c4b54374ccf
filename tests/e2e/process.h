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

// Runs argv[0] with the given arguments (no shell involved in the arguments).
ProcessResult RunProgram(const std::vector<std::string>& argv);

// True when a program of that name is on PATH.
bool HaveTool(const std::string& name);

}  // namespace tessaro::e2e

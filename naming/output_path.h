#pragma once
// The output path proposed for an input path, and the delay its name states.

#include <cstdint>
#include <string>

namespace tessaro {

struct OutputProposal {
  std::string outputPath;  // empty when the input has neither ".aac" nor ".wav" ending
  int32_t delayMs = 0;     // meaningful only when setsDelay
  bool setsDelay = false;  // true exactly for an ".aac" input
};

OutputProposal DeriveOutputPath(const std::string& inputPath);

}  // namespace tessaro

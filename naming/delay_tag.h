#pragma once
// The delay tag in a file name ("Track1 DELAY 120ms_aac.wav") and its rewrite
// to state 0 ms. Pure byte-string work: exact, case-sensitive offsets.

#include <cstdint>
#include <string>

namespace tessaro {

// Byte offset of the last occurrence of pattern in text, or -1. An empty
// pattern gives text.size().
int64_t ReverseFindText(const std::string& text, const std::string& pattern);

struct DelayTagResult {
  int32_t delayMs = 0;      // 0 when no tag applies
  std::string outputPath;   // the path with its tag rewritten to 0, or unchanged
};

DelayTagResult ParseDelayTag(const std::string& path);

}  // namespace tessaro

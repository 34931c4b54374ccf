#pragma once
// The delay tag in a file name ("Track1 DELAY 120ms_aac.wav") and its rewrite
// to state 0 ms. Pure byte-string work: exact, case-sensitive offsets.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Byte offset of the last occurrence of pattern in text, or -1. An empty
// pattern gives text.size().
int64_t ReverseFindText(const std::string& text, const std::string& pattern);

struct DelayTagResult {
  int32_t delayMs = 0;      // 0 when no tag applies
  std::string outputPath;   // the path with its tag rewritten to 0, or unchanged
};

DelayTagResult ParseDelayTag(const std::string& path);

// The delay a WAV output's name states, read as the tag of the name proposed
// for an input would be: "X DELAY 120ms.wav" and "X DELAY 120ms_aac.wav"
// both state 120. 0 for any other name.
int32_t DelayStatedByWavName(const std::string& path);

// Reads a decimal number the way atoi does (leading white space, one optional
// sign, digits up to the first non-digit; no digits give 0), but saturates at
// the limits of int32_t instead of overflowing.
int32_t ReadDelayNumber(std::string_view text);

}  // namespace tessaro

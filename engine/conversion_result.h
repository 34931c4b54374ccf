#pragma once
// What a conversion left behind, for front ends that need more than the info text.

#include <cstdint>

namespace tessaro {

// Everything the user sees has already gone through the host; this is for
// the console program's exit status.
struct ConversionResult {
  bool failed = false;          // an "エラー：" message replaced the info text
  uint32_t anomalyCount = 0;    // damaged places reported (AAC to WAV)
  uint32_t mismatchCount = 0;   // checksum mismatch records (WAV to AAC)
  // WAV to AAC: the data held a block's length or more but not one intact
  // frame (the WAV was re-encoded or otherwise changed); the output is only
  // silence. The warning has gone to the error window.
  bool noFrameFound = false;
};

}  // namespace tessaro

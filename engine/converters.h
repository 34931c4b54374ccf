#pragma once
// The two conversion directions and the Convert command that picks one.

#include <cstdint>

#include "engine/conversion_host.h"
#include "engine/file_io.h"

namespace tessaro {

// What a conversion left behind, for front ends that need more than the info
// text (the console program's exit status). Everything the user sees has
// already gone through the host.
struct ConversionResult {
  bool failed = false;          // an "エラー：" message replaced the info text
  uint32_t anomalyCount = 0;    // damaged places reported (AAC to WAV)
  uint32_t mismatchCount = 0;   // checksum mismatch records (WAV to AAC)
  // WAV to AAC: the data held a block's length or more but not one intact
  // frame (the WAV was re-encoded or otherwise changed); the output is only
  // silence. The warning has gone to the error window.
  bool noFrameFound = false;
};

// ADTS file to WAV container.
ConversionResult ConvertAacToWav(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs);
// WAV container (possibly edited) back to an ADTS file.
ConversionResult ConvertWavToAac(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs);

// Picks the direction from the last four bytes of the input path (".aac" or
// ".wav", exact) and runs it; any other ending is refused with a message.
// Never throws.
ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host,
                               FileSystem& fs);
inline ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host) {
  return RunConversion(request, host, RealFileSystem());
}

}  // namespace tessaro

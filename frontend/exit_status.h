#pragma once
// How a command-line run ends: the exit status both programs give.

#include "engine/conversion_result.h"

namespace tessaro {

enum ExitStatus : int {
  kExitOk = 0,                    // converted, nothing to report
  kExitFailed = 1,                // the conversion failed with a message
  kExitUsage = 2,                 // the arguments do not form a run (no input path, ...)
  kExitConvertedWithDamage = 3,   // converted, but damage or checksum mismatches were
                                  // reported, or the WAV held no frame
};

ExitStatus StatusOfConversion(const ConversionResult& result);

// The status of a run of several files: the worse of two, 1 over 3 over 0
// (and any other status over 0).
int WorseStatus(int a, int b);

}  // namespace tessaro

#pragma once
// How a command-line run ended: the exit status both programs give.

#include "engine/conversion_result.h"

namespace tessaro {

enum CommandStatus : int {
  kStatusConverted = 0,            // converted, nothing to report
  kStatusFailed = 1,               // the conversion failed with a message
  kStatusNoInput = 2,              // no input path was given
  kStatusConvertedWithDamage = 3,  // converted, but damage or checksum mismatches were
                                   // reported, or the WAV held no frame
};

CommandStatus StatusOfConversion(const ConversionResult& result);

}  // namespace tessaro

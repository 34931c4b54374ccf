// The exit status of a command-line run from its conversion's result.
#include "naming/command_status.h"

namespace tessaro {

CommandStatus StatusOfConversion(const ConversionResult& result) {
  if (result.failed) return kStatusFailed;
  if (result.anomalyCount > 0 || result.mismatchCount > 0 || result.noFrameFound) {
    return kStatusConvertedWithDamage;
  }
  return kStatusConverted;
}

}  // namespace tessaro

// The Convert command: the direction from the input path's ending, and the
// one place where an unexpected exception ends a conversion cleanly.

#include "engine/convert_command.h"

#include "engine/aac_to_wav.h"
#include "engine/conversion_common.h"
#include "engine/direction.h"
#include "engine/wav_to_aac.h"

namespace tessaro {

ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host,
                               FileSystem& fs) {
  Failure failure = Failure::kInputNameInvalid;
  try {
    switch (DirectionOf(request)) {
      case Direction::kAacToWav: return ConvertAacToWav(request, host, fs);
      case Direction::kWavToAac: return ConvertWavToAac(request, host, fs);
      case Direction::kNone: break;
    }
  } catch (...) {
    // Out of memory, or a front end's callback gave up: the files have been
    // closed and the partial output removed on the way out.
    failure = Failure::kUnexpected;
  }
  return Failed(host, failure, FailureMessage(failure, request, {}));
}

}  // namespace tessaro

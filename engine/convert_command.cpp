// The Convert command: the direction from the input path's ending, and the
// one place where an unexpected exception ends a conversion cleanly.

#include "engine/convert_command.h"

#include <exception>
#include <string>

#include "engine/aac_to_wav.h"
#include "engine/wav_to_aac.h"
#include "engine/engine_texts.h"

namespace tessaro {

ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host,
                               FileSystem& fs) {
  const EngineTexts& texts = EngineTextsFor(request.language);
  try {
    if (request.inputPath.ends_with(".aac")) return ConvertAacToWav(request, host, fs);
    if (request.inputPath.ends_with(".wav")) return ConvertWavToAac(request, host, fs);
    host.SetInfoText(texts.badInputName, true);
  } catch (const std::exception&) {
    // Out of memory, or a front end's callback gave up: the files have been
    // closed and the partial output removed on the way out.
    host.SetInfoText(texts.unexpected, true);
  } catch (...) {
    host.SetInfoText(texts.unexpected, true);
  }
  ConversionResult result;
  result.failed = true;
  return result;
}

}  // namespace tessaro

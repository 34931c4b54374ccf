#pragma once
// WAV container (possibly edited) back to an ADTS file.

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"

namespace tessaro {

ConversionResult ConvertWavToAac(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs);

}  // namespace tessaro

#pragma once
// ADTS file to WAV container.

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"

namespace tessaro {

ConversionResult ConvertAacToWav(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs);

}  // namespace tessaro

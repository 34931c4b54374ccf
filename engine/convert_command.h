#pragma once
// The Convert command: picks the direction of a conversion and runs it.

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"

namespace tessaro {

// Picks the direction (the request's own, else from the last four bytes of
// the input path: ".aac" or ".wav", exact) and runs it; any other ending is
// refused with a message.
// Never throws.
ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host,
                               FileSystem& fs);
inline ConversionResult RunConversion(const ConversionRequest& request, ConversionHost& host) {
  return RunConversion(request, host, RealFileSystem());
}

}  // namespace tessaro

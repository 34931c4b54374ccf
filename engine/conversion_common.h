#pragma once
// Pieces both conversion directions share: opening the input and the failure exit.

#include <memory>
#include <string>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/file_io.h"

namespace tessaro {

// Opens the input and takes its length. On failure reports it and returns nullptr.
std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length);

// Replaces the info text with a failure message and marks the result.
inline ConversionResult Failed(ConversionHost& host, const std::string& message,
                               ConversionResult result = {}) {
  host.SetInfoText(message, true);
  result.failed = true;
  return result;
}

}  // namespace tessaro

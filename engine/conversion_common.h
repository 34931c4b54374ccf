#pragma once
// Pieces both conversion directions share: opening the input and the failure exit.

#include <memory>
#include <string>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"
#include "engine/failure.h"
#include "engine/file_io.h"

namespace tessaro {

// Opens the input and takes its length. On failure reports it and returns
// nullptr with *result marked failed.
std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length, ConversionResult* result);

// The message of a failure that needs nothing but the request and, for a file
// that cannot be opened, read or written, the system's reason ("" if none).
// Not for kInputInvalidChunk, whose message carries the chunk's figures.
std::string FailureMessage(Failure failure, const ConversionRequest& request,
                           const std::string& reason);

// Replaces the info text with a failure message and marks the result.
inline ConversionResult Failed(ConversionHost& host, Failure failure, const std::string& message,
                               ConversionResult result = {}) {
  host.SetInfoText(message, true);
  result.failed = true;
  result.failure = failure;
  return result;
}

// The same, worded by FailureMessage with fs's reason for its last failed call.
inline ConversionResult Failed(ConversionHost& host, Failure failure,
                               const ConversionRequest& request, FileSystem& fs,
                               ConversionResult result = {}) {
  return Failed(host, failure, FailureMessage(failure, request, fs.LastErrorText()),
                std::move(result));
}

}  // namespace tessaro

#pragma once
// One JSON object per file, on one line, for scripts.

#include <string>

#include "engine/conversion_request.h"
#include "engine/conversion_result.h"

namespace tessaro::cli {

struct FileReport {
  bool check = false;  // --check: nothing was written, there is no output
  ConversionRequest request;
  ConversionResult result;
  std::string message;  // the info text of a failed run: its error message
};

// The object as one line ending in "\n". Texts that are not valid UTF-8
// (paths on POSIX systems) are written with U+FFFD in place of each bad byte,
// and their exact bytes follow in hexadecimal in a field of their own.
std::string JsonReportLine(const FileReport& report);

}  // namespace tessaro::cli

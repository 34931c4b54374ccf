#pragma once
// tessaro-cli --check: reads each file through the conversion it would get,
// with an output that discards, and reports what it found; writes no file.

#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/run_options.h"
#include "engine/file_io.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {

int RunCheck(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs);

}  // namespace tessaro::cli

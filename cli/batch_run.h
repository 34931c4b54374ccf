#pragma once
// tessaro-cli --batch: converts each file in turn to the output proposed for
// it (in --out-dir when given); one file's failure does not stop the others.
// A file whose output would be one of the batch's inputs, or the output an
// earlier file has written, fails alone without being converted.

#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/run_options.h"
#include "engine/file_io.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {

int RunBatch(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs);

// The proposed output path moved into dir: its file name joined to dir.
std::string InFolder(const std::string& dir, const std::string& path);

}  // namespace tessaro::cli

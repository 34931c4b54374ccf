// tessaro-cli --batch: one conversion per file, each report behind a line
// naming the file, one summary line at the end.
#include "cli/batch_run.h"

#include <string>

#include "cli/cli_host.h"
#include "cli/file_runs.h"
#include "engine/file_io.h"

namespace tessaro::cli {

std::string InFolder(const std::string& dir, const std::string& path) {
  if (path.empty()) return path;  // no proposal: the conversion refuses the name
  const size_t cut = path.find_last_of(kPathSeparators);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (dir.empty()) return name;
  const bool endsInSeparator = kPathSeparators.find(dir.back()) != std::string_view::npos;
  return dir + (endsInSeparator ? "" : "/") + name;
}

int RunBatch(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs) {
  FileRunForm form;
  form.request = [&options](const std::string& file) {
    ConversionRequest request = RequestFor(options, file);
    if (options.outDir) request.outputPath = InFolder(*options.outDir, request.outputPath);
    return request;
  };
  form.text = [](const FileOutcome&, const std::string& info) { return ConsoleText(info); };
  return RunFiles(stops, std::move(files), options, console, fs, form);
}

}  // namespace tessaro::cli

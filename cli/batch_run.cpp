// tessaro-cli --batch: one conversion per file, each report behind a line
// naming the file, one summary line at the end.
#include "cli/batch_run.h"

#include <string>

#include "cli/cli_host.h"
#include "cli/json_report.h"
#include "cli/multi_file_text.h"
#include "engine/convert_command.h"

namespace tessaro::cli {
namespace {

#if defined(_WIN32)
constexpr char kSeparators[] = "/\\";
#else
constexpr char kSeparators[] = "/";
#endif

}  // namespace

std::string InFolder(const std::string& dir, const std::string& path) {
  if (path.empty()) return path;  // no proposal: the conversion refuses the name
  const size_t cut = path.find_last_of(kSeparators);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (dir.empty()) return name;
  const bool endsInSeparator = std::string(kSeparators).find(dir.back()) != std::string::npos;
  return dir + (endsInSeparator ? "" : "/") + name;
}

int RunBatch(const RunOptions& options, Console& console, FileSystem& fs) {
  MultiFileTally tally(options.files.size());
  for (const std::string& file : options.files) {
    const std::string label = tally.Next();
    if (!options.json) console.Out(label + file + "\n");
    ConversionRequest request = RequestFor(options, file);
    if (options.outDir) request.outputPath = InFolder(*options.outDir, request.outputPath);
    CliHost host(console, label, options.json);
    const ConversionResult result = RunConversion(request, host, fs);
    host.EndProgress();
    tally.Count(result);
    if (options.json) {
      console.Out(JsonReportLine({false, request, result, result.failed ? host.info() : ""}));
    } else {
      console.Out(ConsoleText(host.info()));
    }
  }
  if (!options.json) console.Out(tally.BatchSummary());
  return tally.exitStatus();
}

}  // namespace tessaro::cli

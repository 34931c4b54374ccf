// tessaro-cli --batch: one conversion per file, each report behind a line
// naming the file, one summary line at the end.
#include "cli/batch_run.h"

#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/file_runs.h"
#include "engine/file_io.h"
#include "engine/own_file_guard.h"

namespace tessaro::cli {
namespace {

// Keeps a batch from writing over its own files, in the console's words.
class OwnFiles {
 public:
  OwnFiles(const std::vector<std::string>& inputs, Language language, FileSystem& fs)
      : files_(inputs, fs), texts_(CliTextsFor(language)) {}

  // Before the next file's conversion: what fails it, with its message, or kNone.
  Failure Refusal(const ConversionRequest& request, std::string* message) {
    const OwnFileHit hit = files_.Overwrites(next_++, request.outputPath);
    switch (hit.kind) {
      case OwnFileHit::Kind::kInput:
        *message = texts_.outputIsAnInput(hit.input.c_str());
        return Failure::kOutputIsAnInput;
      case OwnFileHit::Kind::kEarlierOutput:
        *message = texts_.outputWrittenBefore(hit.input.c_str());
        return Failure::kOutputWrittenBefore;
      case OwnFileHit::Kind::kNone:
        break;
    }
    return Failure::kNone;
  }

  void Ran(const FileRun& run) {
    if (!run.result.failed) files_.Wrote(next_ - 1, run.request.outputPath);
  }

 private:
  OwnFileGuard files_;
  const CliTexts& texts_;
  size_t next_ = 0;
};

}  // namespace

std::string InFolder(const std::string& dir, const std::string& path) {
  if (path.empty()) return path;  // no proposal: the conversion refuses the name
  const size_t cut = path.find_last_of(kPathSeparators);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (dir.empty()) return name;
  const bool endsInSeparator = kPathSeparators.find(dir.back()) != std::string_view::npos;
  return dir + (endsInSeparator ? "" : "/") + name;
}

int RunBatch(const RunOptions& options, Console& console, FileSystem& fs) {
  OwnFiles own(options.files, options.language, fs);
  FileRunForm form;
  form.request = [&options](const std::string& file) {
    ConversionRequest request = RequestFor(options, file);
    if (options.outDir) request.outputPath = InFolder(*options.outDir, request.outputPath);
    return request;
  };
  form.refusal = [&own](const ConversionRequest& request, std::string* message) {
    return own.Refusal(request, message);
  };
  form.ran = [&own](const FileRun& run) { own.Ran(run); };
  form.text = [](const FileRun&, const std::string& info) { return ConsoleText(info); };
  return RunFiles(options, console, fs, form);
}

}  // namespace tessaro::cli

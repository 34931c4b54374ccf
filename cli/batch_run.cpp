// tessaro-cli --batch: one conversion per file, each report behind a line
// naming the file, one summary line at the end.
#include "cli/batch_run.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/file_runs.h"
#include "engine/file_io.h"

namespace tessaro::cli {
namespace {

// The path spelled one way: absolute, without "." and ".." parts. Paths are
// UTF-8, whatever the system's code page.
std::u8string Normalised(const std::string& path) {
  const std::filesystem::path given(std::u8string(path.begin(), path.end()));
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(given, error);
  return (error ? given : absolute).lexically_normal().u8string();
}

// Whether two paths name one file: the same file where both exist, else the
// same path once normalised.
bool SameFileOrPath(FileSystem& fs, const std::string& a, const std::string& b) {
  return fs.SameFile(a, b) || Normalised(a) == Normalised(b);
}

// Keeps a batch from writing over its own files: an output that is one of
// the batch's inputs, or that an earlier file of the batch has written.
class OwnFiles {
 public:
  OwnFiles(const std::vector<std::string>& inputs, Language language, FileSystem& fs)
      : inputs_(inputs), texts_(CliTextsFor(language)), fs_(fs) {}

  // Before the next file's conversion: the message that fails it, or "".
  std::string Refusal(const ConversionRequest& request) {
    const size_t own = next_++;
    if (request.outputPath.empty()) return {};  // the conversion refuses it
    for (size_t i = 0; i < inputs_.size(); ++i) {
      if (i != own && SameFileOrPath(fs_, request.outputPath, inputs_[i])) {
        return texts_.outputIsAnInput(inputs_[i].c_str());
      }
    }
    for (const Written& w : written_) {
      if (SameFileOrPath(fs_, request.outputPath, w.output)) {
        return texts_.outputWrittenBefore(w.input.c_str());
      }
    }
    return {};
  }

  void Ran(const FileRun& run) {
    if (!run.result.failed) written_.push_back({run.request.inputPath, run.request.outputPath});
  }

 private:
  struct Written {
    std::string input;
    std::string output;
  };
  const std::vector<std::string>& inputs_;
  const CliTexts& texts_;
  FileSystem& fs_;
  size_t next_ = 0;
  std::vector<Written> written_;
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
  form.refusal = [&own](const ConversionRequest& request) { return own.Refusal(request); };
  form.ran = [&own](const FileRun& run) { own.Ran(run); };
  form.text = [](const FileRun&, const std::string& info) { return ConsoleText(info); };
  return RunFiles(options, console, fs, form);
}

}  // namespace tessaro::cli

// Opening the input and creating the output, shared by both directions.

#include "engine/conversion_common.h"

#include "engine/report_text.h"

namespace tessaro {

std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length) {
  std::unique_ptr<File> input = fs.OpenRead(request.inputPath);
  if (!input) {
    Failed(host, text::kInputNotOpenable);
  } else if (!input->Size(length)) {
    Failed(host, text::kReadFailed);
    input.reset();
  }
  return input;
}

std::unique_ptr<File> CreateOutput(const ConversionRequest& request, ConversionHost& host,
                                   FileSystem& fs) {
  // Creating the output truncates it: the input must never be that file.
  std::unique_ptr<File> output;
  if (!fs.SameFile(request.inputPath, request.outputPath)) output = fs.Create(request.outputPath);
  if (!output) Failed(host, text::kOutputNotOpenable);
  return output;
}

}  // namespace tessaro

// Opening the input, shared by both directions.

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

}  // namespace tessaro

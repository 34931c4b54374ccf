// Opening the input, shared by both directions.

#include "engine/conversion_common.h"

#include "engine/engine_texts.h"

namespace tessaro {

std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length) {
  const EngineTexts& texts = EngineTextsFor(request.language);
  std::unique_ptr<File> input = fs.OpenRead(request.inputPath);
  if (!input) {
    Failed(host, texts.inputNotOpenable);
  } else if (!input->Size(length)) {
    Failed(host, texts.readFailed);
    input.reset();
  }
  return input;
}

}  // namespace tessaro

// Opening the input and wording the failures, shared by both directions.

#include "engine/conversion_common.h"

#include <cstdint>

#include "engine/engine_texts.h"
#include "engine/report_text.h"
#include "engine/wav_container.h"

namespace tessaro {
namespace {

// " (reason)", or nothing without one.
std::string Because(const std::string& reason) {
  return reason.empty() ? std::string() : " (" + reason + ")";
}

// The largest delay, either way, whose zeros alone still fit in the data
// chunk of the request's size choice.
std::string DelayLimit(const ConversionRequest& request) {
  const uint64_t samples = uint64_t{0xFFFFFFFFu} / WavFormatForSize(request.outputSize).blockAlign;
  return FormatByteCount(samples / 48);
}

}  // namespace

std::unique_ptr<File> OpenInput(const ConversionRequest& request, ConversionHost& host,
                                FileSystem& fs, uint64_t* length, ConversionResult* result) {
  std::unique_ptr<File> input = fs.OpenRead(request.inputPath);
  if (!input) {
    *result = Failed(host, Failure::kInputNotOpenable, request, fs);
  } else if (!input->Size(length)) {
    *result = Failed(host, Failure::kReadFailed, request, fs);
    input.reset();
  } else {
    result->inputSize = *length;
    result->inputOpened = true;
  }
  return input;
}

std::string FailureMessage(Failure failure, const ConversionRequest& request,
                           const std::string& reason) {
  const EngineTexts& texts = EngineTextsFor(request.language);
  const char* in = request.inputPath.c_str();
  const char* out = request.outputPath.c_str();
  switch (failure) {
    case Failure::kInputNotOpenable: return texts.inputNotOpenable(in, Because(reason).c_str());
    case Failure::kOutputNotOpenable: return texts.outputNotOpenable(out, Because(reason).c_str());
    case Failure::kReadFailed: return texts.readFailed(in, Because(reason).c_str());
    case Failure::kWriteFailed: return texts.writeFailed(out, Because(reason).c_str());
    case Failure::kDelayTooLarge: {
      const std::string limit = DelayLimit(request);
      const int64_t ms = request.delayMs;
      const std::string delay = (ms < 0 ? "-" : "") + FormatByteCount(static_cast<uint64_t>(ms < 0 ? -ms : ms));
      const auto& text = request.delayFromName ? texts.delayInNameTooLarge : texts.delayTooLarge;
      return text(delay.c_str(), ("-" + limit).c_str(), limit.c_str());
    }
    case Failure::kInputInvalid:
    case Failure::kInputInvalidChunk: return texts.inputBroken;
    case Failure::kNotWav: return texts.notWav;
    case Failure::kInputNameInvalid: return texts.badInputName;
    case Failure::kOutputIsAac: return texts.outputIsAac(out);
    case Failure::kOutputIsWav: return texts.outputIsWav(out);
    case Failure::kOutputLinkInSharedFolder: return texts.outputLinkInSharedFolder(out);
    case Failure::kOutputFileOfAnotherUser: return texts.outputFileOfAnotherUser(out);
    case Failure::kNone:
    case Failure::kUnexpected:
    case Failure::kOutputIsAnInput:
    case Failure::kOutputWrittenBefore:
    case Failure::kUnknownOption:
    case Failure::kTooManyPaths:
    case Failure::kOutDirWithoutBatch:
    case Failure::kOutDirWithoutFolder:
    case Failure::kNoInputFiles:
    case Failure::kDelayWithoutNumber:
    case Failure::kUnknownLanguage:
    case Failure::kBatchWithCheck:
    case Failure::kStandardStreamInBatchOrCheck:
    case Failure::kStandardInputWithoutOutput:
    case Failure::kDirectionUnknown:
    case Failure::kStandardStreamIsTerminal:
    case Failure::kDelayTagInOutputName:
    case Failure::kStopped: break;
  }
  return texts.unexpected;
}

}  // namespace tessaro

// The stable names of the failures.
#include "engine/failure.h"

namespace tessaro {

const char* FailureCode(Failure failure) {
  switch (failure) {
    case Failure::kNone: return "";
    case Failure::kInputNotOpenable: return "input_not_openable";
    case Failure::kOutputNotOpenable: return "output_not_openable";
    case Failure::kInputInvalid: return "input_invalid";
    case Failure::kInputInvalidChunk: return "input_invalid_chunk";
    case Failure::kNotWav: return "not_wav";
    case Failure::kInputNameInvalid: return "input_name_invalid";
    case Failure::kReadFailed: return "read_failed";
    case Failure::kWriteFailed: return "write_failed";
    case Failure::kDelayTooLarge: return "delay_too_large";
    case Failure::kUnexpected: return "unexpected";
    case Failure::kOutputIsAac: return "output_is_aac";
    case Failure::kOutputIsWav: return "output_is_wav";
    case Failure::kOutputIsAnInput: return "output_is_an_input";
    case Failure::kOutputWrittenBefore: return "output_written_before";
    case Failure::kOutputLinkInSharedFolder: return "output_link_in_shared_folder";
    case Failure::kOutputFileOfAnotherUser: return "output_file_of_another_user";
    case Failure::kUnknownOption: return "unknown_option";
    case Failure::kTooManyPaths: return "too_many_paths";
    case Failure::kOutDirWithoutBatch: return "out_dir_without_batch";
    case Failure::kOutDirWithoutFolder: return "out_dir_without_folder";
    case Failure::kNoInputFiles: return "no_input_files";
    case Failure::kDelayWithoutNumber: return "delay_without_number";
    case Failure::kUnknownLanguage: return "unknown_language";
    case Failure::kBatchWithCheck: return "batch_with_check";
    case Failure::kStandardStreamInBatchOrCheck: return "standard_stream_in_batch_or_check";
    case Failure::kStandardInputWithoutOutput: return "standard_input_without_output";
    case Failure::kDirectionUnknown: return "direction_unknown";
    case Failure::kStandardStreamIsTerminal: return "standard_stream_is_terminal";
    case Failure::kDelayTagInOutputName: return "delay_tag_in_output_name";
    case Failure::kStopped: return "stopped";
  }
  return "unexpected";
}

}  // namespace tessaro

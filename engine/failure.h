#pragma once
// Why a conversion, or a front end's run around it, did not produce its
// output: a value set where the failure happens, worded by each front end.

namespace tessaro {

enum class Failure {
  kNone,
  // The conversion's own.
  kInputNotOpenable,
  kOutputNotOpenable,
  kInputInvalid,
  kInputInvalidChunk,
  kNotWav,
  kInputNameInvalid,
  kReadFailed,
  kWriteFailed,
  kDelayTooLarge,
  kUnexpected,
  kOutputIsAac,
  kOutputIsWav,
  // A run of several files that would write over its own files.
  kOutputIsAnInput,
  kOutputWrittenBefore,
  // The output path leads through a link another user may have planted in a
  // shared folder.
  kOutputLinkInSharedFolder,
  // The output is another user's file in a shared folder.
  kOutputFileOfAnotherUser,
  // Arguments that do not form a run of the console program.
  kUnknownOption,
  kTooManyPaths,
  kOutDirWithoutBatch,
  kOutDirWithoutFolder,
  kNoInputFiles,
  kDelayWithoutNumber,  // "-d" without a whole number joined to it
  kUnknownLanguage,     // "--lang=" with a language other than ja and en
  kBatchWithCheck,      // --batch and --check together
  // "-" for standard input or output where it cannot stand: in a run of
  // several files, as an input without an output path to name the result,
  // as an input whose output's name has neither ending (the direction is
  // unknown), for a terminal, or as an input whose output's name states a
  // delay that only the input's own name could give.
  kStandardStreamInBatchOrCheck,
  kStandardInputWithoutOutput,
  kDirectionUnknown,
  kStandardStreamIsTerminal,
  kDelayTagInOutputName,
  // A stop request (a signal, the console's close) ended the run.
  kStopped,
};

// The stable ASCII name scripts read ("input_not_openable"); "" for kNone.
const char* FailureCode(Failure failure);

}  // namespace tessaro

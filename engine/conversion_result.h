#pragma once
// What a conversion left behind, for front ends that need more than the info text.

#include <cstdint>
#include <vector>

#include "engine/adts.h"
#include "engine/failure.h"
#include "engine/wav_container.h"

namespace tessaro {

// Everything the user sees has already gone through the host; this is for
// the console program's exit status and its reports in other forms.
struct ConversionResult {
  bool failed = false;          // an "エラー：" message replaced the info text
  uint32_t anomalyCount = 0;    // damaged places reported (AAC to WAV)
  uint32_t mismatchCount = 0;   // checksum mismatch records (WAV to AAC)
  // WAV to AAC: the data held a block's length or more but not one intact
  // frame (the WAV was re-encoded or otherwise changed); the output is only
  // silence. The warning has gone to the error window.
  bool noFrameFound = false;

  // The report's figures, for front ends that show them in another form.
  // What a failed conversion had not reached yet stays at its initial value.
  uint64_t inputSize = 0;
  uint64_t outputSize = 0;
  uint32_t samplingFrequency = 0;  // of the first frame taken; 0 without one
  int channels = -1;               // channel configuration likewise; -1 without a frame
  uint64_t framesFound = 0;        // intact frames taken from the input
  uint64_t outputFrames = 0;       // frame slots (AAC to WAV), frames written (WAV to AAC)
  double seconds = 0;              // the time line's play time; not finite when unknown
  uint64_t dataStart = 0;          // WAV to AAC: file offset of the data
  uint32_t blockLength = 0;        // WAV to AAC: bytes per block
  // The flavours of the blocks: of the frames taken (WAV to AAC), of the
  // blocks written (AAC to WAV).
  FlavoursSeen flavours = FlavoursSeen::kNone;
  std::vector<DamagePlace> damage{};        // AAC to WAV: the first listed regions
  std::vector<MismatchPlace> mismatches{};  // WAV to AAC: the first kMaxListedMismatches
  Failure failure = Failure::kNone;         // why, when failed
  bool inputOpened = false;                 // inputSize holds the input's size
};

// Checksum mismatch records listed in the info text and here; further ones
// are counted only, so that memory and the report stay bounded.
inline constexpr uint32_t kMaxListedMismatches = 1000;

}  // namespace tessaro

// WAV container back to ADTS: finds the intact blocks in the (possibly edited)
// data and re-times the frames by their distance, filling gaps with silent
// frames and dropping frames where material was cut.

#include "engine/wav_to_aac.h"

#include <algorithm>
#include <memory>

#include "engine/adts.h"
#include "engine/buffered_writer.h"
#include "engine/conversion_common.h"
#include "engine/engine_texts.h"
#include "engine/output_file.h"
#include "engine/read_window.h"
#include "engine/report_text.h"
#include "engine/wav_container.h"

namespace tessaro {
namespace {

// Signed distance between two file positions, in 64 bits: a gap of 2 GiB or
// more in a WAV past 4 GiB stays a gap.
int64_t Distance(uint64_t pos, uint64_t from) { return static_cast<int64_t>(pos - from); }

class WavToAac {
 public:
  WavToAac(const EngineTexts& texts, ConversionHost& host, File& input, uint64_t inputLength,
           const WavLayout& layout, File& output)
      : texts_(texts),
        host_(host),
        inputLength_(inputLength),
        blockLength_(layout.blockLength),
        half_(layout.blockLength / 2),
        dataStart_(layout.dataStart),
        writer_(output),
        window_(input, layout.dataStart, inputLength) {}

  // Runs the conversion; returns kNone or what failed.
  Failure Run(ConversionResult* result);
  uint64_t written() const { return writer_.written(); }
  uint32_t framesWritten() const { return framesWritten_; }
  uint8_t acceptedIndex() const { return acceptedIndex_; }

 private:
  void SkipZeros();
  bool Accept(uint32_t p, const BlockCandidate& block);
  bool WriteFiller(const uint8_t* frame, uint32_t length);
  Failure End();

  const EngineTexts& texts_;
  ConversionHost& host_;
  ConversionResult* result_ = nullptr;
  uint64_t inputLength_;
  uint32_t blockLength_;
  int64_t half_;
  uint64_t dataStart_;
  BufferedWriter writer_;
  ReadWindow window_;
  uint64_t lastFramePos_ = 0;
  int64_t driftBytes_ = 0;
  uint32_t framesWritten_ = 0;
  uint64_t mismatchesListed_ = 0;
  uint64_t mismatchesUnlisted_ = 0;
  bool infoEndsALine_ = false;   // the info text so far ends with a line break
  // Of the last accepted frame, 48000 Hz and two channels before any: they
  // choose the silent frame and time the output. A damaged block's header
  // is no frame's, so it changes neither.
  uint8_t acceptedIndex_ = 3;
  uint8_t acceptedChannels_ = 2;
};

// Passes the zero bytes that fill most of every block, stopping at the first
// other byte, at the end of the data or where the window wants a refill.
void WavToAac::SkipZeros() {
  window_.SkipZeros(std::min(window_.fill(), ReadWindow::kRefillThreshold));
}

bool WavToAac::WriteFiller(const uint8_t* frame, uint32_t length) {
  size_t silentLength = 0;
  const uint8_t* silent =
      SilentFrameFor(kSamplingFrequencies[acceptedIndex_], acceptedChannels_, &silentLength);
  // Without a silent frame for this stream the frame itself fills the gap.
  if (silent) return writer_.Write(silent, silentLength);
  return writer_.Write(frame, length);
}

// Takes the frame whose preamble is at p; false on a write failure.
bool WavToAac::Accept(uint32_t p, const BlockCandidate& block) {
  const AdtsHeader& header = block.header;
  result_->flavours = WithFlavour(result_->flavours, block.flavour);
  acceptedIndex_ = header.sampling_frequency_index;
  acceptedChannels_ = header.channel_configuration;
  if (framesWritten_ == 0) {
    result_->samplingFrequency = kSamplingFrequencies[acceptedIndex_];
    result_->channels = acceptedChannels_;
    host_.AppendInfoText(
        texts_.samplingLineWav(static_cast<int>(kSamplingFrequencies[acceptedIndex_]),
                               acceptedChannels_),
        true);
    infoEndsALine_ = true;
  }
  ++result_->framesFound;
  const uint64_t pos = window_.FileOffset(p);
  driftBytes_ += Distance(pos, lastFramePos_) - int64_t{blockLength_};
  lastFramePos_ = pos;
  const uint8_t* frame = window_.data() + p + kPreambleToFrame;
  const uint32_t length = header.frame_length;
  if (driftBytes_ > 0 && driftBytes_ > half_) {
    while (driftBytes_ > 0 && driftBytes_ > half_) {
      driftBytes_ -= blockLength_;
      if (!WriteFiller(frame, length)) return false;
      ++framesWritten_;
    }
    if (!writer_.Write(frame, length)) return false;
    ++framesWritten_;
  } else if (driftBytes_ < 0 && -driftBytes_ > half_) {
    driftBytes_ += blockLength_;  // this frame is dropped
  } else {
    if (!writer_.Write(frame, length)) return false;
    ++framesWritten_;
    host_.PumpEvents();
  }
  return true;
}

Failure WavToAac::Run(ConversionResult* result) {
  result_ = result;
  // As if a block stood one block length before the first one's place.
  lastFramePos_ = dataStart_ + kBlockPreambleOffset - blockLength_;
  if (!window_.Refill(0)) return Failure::kReadFailed;
  host_.SetInfoText(texts_.inputSize(FormatByteCount(inputLength_).c_str()), false);

  const uint8_t* w = window_.data();
  do {
    SkipZeros();
    BlockCandidate c = TestBlockCandidate(w, window_.fill(), window_.pos);
    if (c.kind == BlockCandidate::Kind::kNeedMore && !window_.exhausted() && window_.pos > 0) {
      // The block runs past the end of a full window: look again with the
      // window starting at its preamble, so that no intact frame is lost.
      if (!window_.Refill(window_.pos)) return Failure::kReadFailed;
      c = TestBlockCandidate(w, window_.fill(), window_.pos);
    }
    if (c.kind == BlockCandidate::Kind::kMismatch) {
      if (result->mismatchCount < UINT32_MAX) ++result->mismatchCount;
      if (mismatchesListed_ < kMaxListedMismatches) {
        ++mismatchesListed_;
        result->mismatches.push_back({window_.FileOffset(window_.pos), c.computed, c.stored});
        host_.AppendInfoText(MismatchRecord(result->mismatches.back()), false);
        infoEndsALine_ = false;
      } else {
        ++mismatchesUnlisted_;  // the info text stays bounded, whatever the input
      }
    }
    if (c.kind == BlockCandidate::Kind::kAccept) {
      if (!Accept(window_.pos, c)) return Failure::kWriteFailed;
      // The search goes on behind the frame's checksum.
      window_.pos +=
          static_cast<uint32_t>(kPreambleToFrame + kTrailerChecksumSize) + c.header.frame_length;
    } else {
      ++window_.pos;
    }
    if (window_.pos >= ReadWindow::kRefillThreshold && !window_.Refill(window_.pos)) {
      return Failure::kReadFailed;
    }
    host_.SetProgress(static_cast<int>(static_cast<double>(window_.readPos()) * 100.0 /
                                       static_cast<double>(inputLength_)));
  } while (window_.pos < window_.fill());
  return End();
}

// Pads the end to the WAV's length and reports.
Failure WavToAac::End() {
  const uint64_t pos = window_.FileOffset(window_.pos);
  driftBytes_ += Distance(pos, lastFramePos_) - int64_t{blockLength_};
  size_t silentLength = 0;
  const uint8_t* silent =
      SilentFrameFor(kSamplingFrequencies[acceptedIndex_], acceptedChannels_, &silentLength);
  if (silent) {
    while (driftBytes_ > -half_) {
      driftBytes_ -= blockLength_;
      if (!writer_.Write(silent, silentLength)) return Failure::kWriteFailed;
      ++framesWritten_;
    }
  }
  if (mismatchesUnlisted_ > 0) {
    host_.AppendInfoText(std::string(infoEndsALine_ ? "" : "\r\n") +
                             texts_.moreMismatches(FormatByteCount(mismatchesUnlisted_).c_str()),
                         false);
  }
  host_.AppendInfoText(texts_.outputSize(FormatByteCount(writer_.written()).c_str()), false);
  if (!writer_.Flush()) return Failure::kWriteFailed;
  return Failure::kNone;
}

}  // namespace

ConversionResult ConvertWavToAac(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs) {
  host.SetProgress(0);
  const EngineTexts& texts = EngineTextsFor(request.language);
  ConversionResult result;
  uint64_t inputLength = 0;
  std::unique_ptr<File> input = OpenInput(request, host, fs, &inputLength, &result);
  if (!input) return result;

  WavLayout layout;
  std::string headerError;
  const Failure headerFailure = ReadWavLayout(*input, inputLength, &layout, texts, &headerError);
  if (headerFailure != Failure::kNone) return Failed(host, headerFailure, headerError, std::move(result));

  std::unique_ptr<OutputFile> output =
      OutputFile::Open(request, InputKind::kWav, host, fs, &result);
  if (!output) return result;

  result.inputSize = inputLength;
  result.dataStart = layout.dataStart;
  result.blockLength = layout.blockLength;
  WavToAac conversion(texts, host, *input, inputLength, layout, output->file());
  Failure failure = conversion.Run(&result);
  if (failure == Failure::kNone && !output->Commit(host)) failure = Failure::kWriteFailed;
  if (failure != Failure::kNone) return Failed(host, failure, request, fs, std::move(result));
  input->Close();
  result.outputSize = conversion.written();
  result.outputFrames = conversion.framesWritten();
  result.seconds =
      PlayTimeSeconds(conversion.framesWritten(), kSamplingFrequencies[conversion.acceptedIndex()]);
  host.AppendInfoText(TimeLine(texts, result.seconds), true);
  // A data chunk shorter than a block may hold no frame; a longer one that
  // holds none was not written by the other direction, or lost its blocks
  // in an editor that re-encoded the audio.
  if (result.framesFound == 0 && inputLength - layout.dataStart >= layout.blockLength) {
    result.noFrameFound = true;
    const char* remedy =
        request.editorsChoice.empty() ? texts.editorsOption.c_str() : request.editorsChoice.c_str();
    host.ShowErrorMessage(
        result.mismatchCount > 0 ? texts.noIntactFrame(remedy) : texts.noFrameFound(remedy), 1);
  }
  return result;
}

}  // namespace tessaro

// WAV container back to ADTS: finds the intact blocks in the (possibly edited)
// data and re-times the frames by their distance, filling gaps with silent
// frames and dropping frames where material was cut.

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/adts.h"
#include "engine/buffered_writer.h"
#include "engine/conversion_common.h"
#include "engine/converters.h"
#include "engine/report_text.h"
#include "engine/wav_container.h"

namespace tessaro {
namespace {

constexpr uint32_t kWindowSize = 0x80000;       // 512 KiB
constexpr uint32_t kRefillThreshold = 0x7F800;  // leaves 2 KiB of look-ahead

// File positions are kept as the low 32 bits the timing arithmetic works in;
// their differences are read as signed, which stays right across 4 GiB.
int32_t Distance(uint64_t pos, uint64_t from) {
  return static_cast<int32_t>(static_cast<uint32_t>(pos - from));
}

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

class WavToAac {
 public:
  WavToAac(ConversionHost& host, File& input, uint64_t inputLength, const WavLayout& layout,
           File& output)
      : host_(host),
        input_(input),
        inputLength_(inputLength),
        blockLength_(layout.blockLength),
        half_(layout.blockLength / 2),
        dataStart_(layout.dataStart),
        writer_(output),
        window_(new uint8_t[kWindowSize]) {}

  std::string Run(ConversionResult* result);
  uint32_t framesWritten() const { return framesWritten_; }
  uint8_t currentIndex() const { return currentIndex_; }

 private:
  bool Refill(uint32_t from);
  void SkipZeros();
  bool Accept(uint32_t p, const AdtsHeader& header);
  bool WriteFiller(const uint8_t* frame, uint32_t length);
  std::string End();
  uint64_t FileOffset(uint32_t p) const { return readPos_ - windowFill_ + p; }

  ConversionHost& host_;
  File& input_;
  uint64_t inputLength_;
  uint32_t blockLength_;
  int64_t half_;
  uint64_t dataStart_;
  BufferedWriter writer_;
  std::unique_ptr<uint8_t[]> window_;
  uint32_t windowFill_ = 0;
  uint32_t windowPos_ = 0;
  uint64_t readPos_ = 0;
  bool inputExhausted_ = false;
  uint64_t lastFramePos_ = 0;
  int32_t driftBytes_ = 0;
  uint32_t framesWritten_ = 0;
  uint8_t currentIndex_ = 3;     // 48000 Hz until a header says otherwise
  uint8_t currentChannels_ = 2;
};

// Moves the bytes from `from` to the end of the window to its start and reads
// behind them.
bool WavToAac::Refill(uint32_t from) {
  const uint32_t kept = from < windowFill_ ? windowFill_ - from : 0;
  if (kept > 0 && from > 0) std::memmove(window_.get(), window_.get() + from, kept);
  size_t got = 0;
  const size_t wanted = kWindowSize - kept;
  if (!inputExhausted_) {
    if (!input_.Read(window_.get() + kept, wanted, &got)) return false;
    // Data that ends before the file's length is a failed read, not the end.
    if (got < wanted && readPos_ + got < inputLength_) return false;
    if (got < wanted) inputExhausted_ = true;
  }
  windowFill_ = kept + static_cast<uint32_t>(got);
  windowPos_ = 0;
  readPos_ += got;
  return true;
}

// Passes the zero bytes that fill most of every block, stopping at the first
// other byte, at the end of the data or where the window wants a refill.
void WavToAac::SkipZeros() {
  const uint8_t* w = window_.get();
  const uint32_t limit = std::min(windowFill_, kRefillThreshold);
  while (windowPos_ + 32 <= limit) {
    uint64_t words[4];
    std::memcpy(words, w + windowPos_, sizeof words);
    if ((words[0] | words[1] | words[2] | words[3]) != 0) break;
    windowPos_ += 32;
  }
  while (windowPos_ < limit && w[windowPos_] == 0) ++windowPos_;
}

bool WavToAac::WriteFiller(const uint8_t* frame, uint32_t length) {
  size_t silentLength = 0;
  const uint8_t* silent =
      SilentFrameFor(kSamplingFrequencies[currentIndex_], currentChannels_, &silentLength);
  // Without a silent frame for this stream the frame itself fills the gap.
  if (silent) return writer_.Write(silent, silentLength);
  return writer_.Write(frame, length);
}

// Takes the frame whose preamble is at p; false on a write failure.
bool WavToAac::Accept(uint32_t p, const AdtsHeader& header) {
  if (framesWritten_ == 0) {
    host_.AppendInfoText(StringPrintf(text::kSamplingLineWav,
                                      static_cast<int>(kSamplingFrequencies[currentIndex_]),
                                      currentChannels_),
                         true);
  }
  const uint64_t pos = FileOffset(p);
  driftBytes_ = Wrap(int64_t{driftBytes_} + Distance(pos, lastFramePos_) - int64_t{blockLength_});
  lastFramePos_ = pos;
  const uint8_t* frame = window_.get() + p + kBlockPreamble.size();
  const uint32_t length = header.frame_length;
  if (driftBytes_ > 0 && driftBytes_ > half_) {
    while (driftBytes_ > 0 && driftBytes_ > half_) {
      driftBytes_ = Wrap(int64_t{driftBytes_} - blockLength_);
      if (!WriteFiller(frame, length)) return false;
      ++framesWritten_;
    }
    if (!writer_.Write(frame, length)) return false;
    ++framesWritten_;
  } else if (driftBytes_ < 0 && -int64_t{driftBytes_} > half_) {
    driftBytes_ = Wrap(int64_t{driftBytes_} + blockLength_);  // this frame is dropped
  } else {
    if (!writer_.Write(frame, length)) return false;
    ++framesWritten_;
    host_.PumpEvents();
  }
  return true;
}

std::string WavToAac::Run(ConversionResult* result) {
  lastFramePos_ = dataStart_ + 4 - blockLength_;
  readPos_ = dataStart_;
  if (!Refill(0)) return text::kReadFailed;
  host_.SetInfoText(StringPrintf(text::kInputSize, FormatByteCount(inputLength_).c_str()), false);

  const uint8_t* w = window_.get();
  do {
    SkipZeros();
    BlockCandidate c = TestBlockCandidate(w, windowFill_, windowPos_);
    if (c.kind == BlockCandidate::Kind::kNeedMore && !inputExhausted_ && windowPos_ > 0) {
      // The block runs past the end of a full window: look again with the
      // window starting at its preamble, so that no intact frame is lost.
      if (!Refill(windowPos_)) return text::kReadFailed;
      c = TestBlockCandidate(w, windowFill_, windowPos_);
    }
    if (c.headerParsed) {
      currentIndex_ = c.header.sampling_frequency_index;
      currentChannels_ = c.header.channel_configuration;
    }
    if (c.kind == BlockCandidate::Kind::kMismatch) {
      ++result->mismatchCount;
      host_.AppendInfoText(
          StringPrintf(text::kMismatchRecord, static_cast<unsigned long long>(FileOffset(windowPos_)),
                       c.computed.sum, c.computed.exclusiveOr, c.stored[0], c.stored[1],
                       c.stored[2], c.stored[3]),
          false);
    }
    if (c.kind == BlockCandidate::Kind::kAccept) {
      if (!Accept(windowPos_, c.header)) return text::kWriteFailed;
      windowPos_ += c.header.frame_length + 12;
    } else {
      ++windowPos_;
    }
    if (windowPos_ >= kRefillThreshold && !Refill(windowPos_)) return text::kReadFailed;
    host_.SetProgress(static_cast<int>(static_cast<double>(readPos_) * 100.0 /
                                       static_cast<double>(inputLength_)));
  } while (windowPos_ < windowFill_);
  return End();
}

// Pads the end to the WAV's length and reports.
std::string WavToAac::End() {
  const uint64_t pos = FileOffset(windowPos_);
  driftBytes_ = Wrap(int64_t{driftBytes_} + Distance(pos, lastFramePos_) - int64_t{blockLength_});
  size_t silentLength = 0;
  const uint8_t* silent =
      SilentFrameFor(kSamplingFrequencies[currentIndex_], currentChannels_, &silentLength);
  if (silent) {
    while (driftBytes_ > -half_) {
      driftBytes_ = Wrap(int64_t{driftBytes_} - blockLength_);
      if (!writer_.Write(silent, silentLength)) return text::kWriteFailed;
      ++framesWritten_;
    }
  }
  host_.AppendInfoText(StringPrintf(text::kOutputSize, FormatByteCount(writer_.written()).c_str()),
                       false);
  if (!writer_.Flush()) return text::kWriteFailed;
  return {};
}

}  // namespace

ConversionResult ConvertWavToAac(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs) {
  host.SetProgress(0);
  uint64_t inputLength = 0;
  std::unique_ptr<File> input = OpenInput(request, host, fs, &inputLength);
  if (!input) return ConversionResult{.failed = true};

  WavLayout layout;
  const std::string headerError = ReadWavLayout(*input, inputLength, &layout);
  if (!headerError.empty()) return Failed(host, headerError);

  std::unique_ptr<File> created = CreateOutput(request, host, fs);
  if (!created) return ConversionResult{.failed = true};
  OutputFile output(fs, request.outputPath, std::move(created));

  ConversionResult result;
  WavToAac conversion(host, *input, inputLength, layout, output.file());
  std::string failure = conversion.Run(&result);
  if (failure.empty() && !output.Commit()) failure = text::kWriteFailed;
  if (!failure.empty()) return Failed(host, failure, result);
  input->Close();
  const double seconds =
      PlayTimeSeconds(conversion.framesWritten(), kSamplingFrequencies[conversion.currentIndex()]);
  host.AppendInfoText(TimeLine(seconds), true);
  return result;
}

}  // namespace tessaro

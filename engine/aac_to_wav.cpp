// ADTS file to WAV container: every frame in its own block, the stream shifted
// by the requested delay, one extra slot after each damaged region.

#include "engine/aac_to_wav.h"

#include <cstdlib>

#include "engine/adts.h"
#include "engine/block_writer.h"
#include "engine/conversion_common.h"
#include "engine/engine_texts.h"
#include "engine/output_file.h"
#include "engine/report_text.h"
#include "engine/wav_container.h"

namespace tessaro {
namespace {

constexpr uint64_t kFlushEverySlots = 512;
constexpr uint64_t kMaxDataChunk = 0xFFFFFFFFu;

// How the delay shifts the stream, worked out once before anything is
// written; the conversion only reads it. A delay moves the stream by 48
// sample frames (at the WAV's 48 kHz) per millisecond: a positive one puts
// zeros in front and cuts as much from the end, a negative one leaves out
// the first slots (and the front of one more block) and adds zeros at the end.
struct DelayPlan {
  uint64_t leadInBytes = 0;  // zeros before the first block, later cut from the end
  bool skipsFront = false;   // negative delay: the fields below apply
  uint64_t skippedSlots = 0;     // slots written not at all
  size_t partialSkipBytes = 0;   // bytes left out of the front of the next block
  uint64_t tailBytes = 0;        // zeros after the last block
};

// The plan for delayMs, or false when its zeros alone would not fit in the
// data chunk (which also keeps the arithmetic far from overflow).
bool PlanDelay(int32_t delayMs, const WavFormat& format, DelayPlan* plan) {
  const uint64_t samples = 48 * static_cast<uint64_t>(std::llabs(delayMs));
  const uint64_t bytes = samples * format.blockAlign;
  if (bytes > kMaxDataChunk) return false;
  if (delayMs > 0) plan->leadInBytes = bytes;
  if (delayMs < 0) {
    plan->skipsFront = true;
    plan->skippedSlots = samples / kSamplesPerBlock;
    plan->partialSkipBytes = static_cast<size_t>(samples % kSamplesPerBlock) * format.blockAlign;
    plan->tailBytes = bytes;
  }
  return true;
}

std::string DamageReport(const EngineTexts& texts, const AdtsScanner& scanner) {
  std::string report = texts.damageReportHead;
  report += texts.damageReportCount(static_cast<int>(scanner.anomalyCount()));
  report += "\r\n";
  for (const DamagePlace& place : scanner.damagePlaces()) report += AnomalyEntry(texts, place.seconds);
  if (scanner.anomalyCount() > AdtsScanner::kMaxListedAnomalies) report += "...";
  return report;
}

// The state of one conversion once both files are open.
class AacToWav {
 public:
  AacToWav(const ConversionRequest& request, const WavFormat& format, const DelayPlan& delay,
           ConversionHost& host, File& input, uint64_t inputLength, File& output)
      : request_(request),
        texts_(EngineTextsFor(request.language)),
        format_(format),
        delay_(delay),
        host_(host),
        input_(input),
        inputLength_(inputLength),
        output_(output),
        writer_(output, format.blockSize, request.blockFlavour) {}

  // Runs the conversion; returns kNone or what failed.
  Failure Run(ConversionResult* result);

 private:
  bool WriteSlot(uint64_t slot, const AdtsScanner& scanner, const AdtsScanner::Frame& frame,
                 bool* duplicate);
  Failure Finish(const AdtsScanner& scanner, ConversionResult* result);

  const ConversionRequest& request_;
  const EngineTexts& texts_;
  const WavFormat format_;
  const DelayPlan delay_;
  ConversionHost& host_;
  File& input_;
  uint64_t inputLength_;
  File& output_;
  BlockWriter writer_;
  uint64_t frameSlotCount_ = 0;
};

// Writes the frame's block for slot s by the delay rule. *duplicate is set
// when the block went out twice to close a damaged region.
bool AacToWav::WriteSlot(uint64_t s, const AdtsScanner& scanner, const AdtsScanner::Frame& frame,
                         bool* duplicate) {
  *duplicate = false;
  const auto write = [&](size_t skipFront) {
    return writer_.WriteBlock(frame.bytes, frame.presentLength, frame.header.frame_length,
                              skipFront);
  };
  if (delay_.skipsFront && s < delay_.skippedSlots) return true;
  if (delay_.skipsFront && s == delay_.skippedSlots) return write(delay_.partialSkipBytes);
  if (!write(0)) return false;
  if (scanner.inAnomalyRun()) {
    *duplicate = true;
    return write(0);
  }
  return true;
}

Failure AacToWav::Run(ConversionResult* result) {
  const std::array<uint8_t, kWavHeaderSize> header = MakeWavHeader(format_, 0, 0);
  if (!writer_.Write(header.data(), header.size())) return Failure::kWriteFailed;
  if (!writer_.WriteZeros(delay_.leadInBytes)) return Failure::kWriteFailed;
  host_.SetInfoText(texts_.inputSize(FormatByteCount(inputLength_).c_str()), false);

  AdtsScanner scanner(input_, inputLength_, kMaxBlockFrameLength);
  AdtsScanner::Frame frame;
  for (;;) {
    const AdtsScanner::Status status = scanner.Next(frameSlotCount_, &frame);
    if (status == AdtsScanner::Status::kReadError) return Failure::kReadFailed;
    if (status == AdtsScanner::Status::kEnd) break;
    ++result->framesFound;
    if (frameSlotCount_ == 0) {
      result->samplingFrequency = kSamplingFrequencies[frame.header.sampling_frequency_index];
      result->channels = frame.header.channel_configuration;
      host_.AppendInfoText(
          texts_.samplingLineAac(
              static_cast<int>(kSamplingFrequencies[frame.header.sampling_frequency_index]),
              frame.header.channel_configuration, request_.delayMs),
          true);
    }
    bool duplicate = false;
    if (!WriteSlot(frameSlotCount_, scanner, frame, &duplicate)) return Failure::kWriteFailed;
    if (duplicate) {
      ++frameSlotCount_;
      scanner.EndAnomalyRun();
    }
    scanner.FrameDone();
    host_.SetProgress(static_cast<int>(static_cast<double>(scanner.offset()) * 100.0 /
                                       static_cast<double>(inputLength_)));
    ++frameSlotCount_;
    if (frameSlotCount_ % kFlushEverySlots == 0 && !writer_.Flush()) return Failure::kWriteFailed;
    host_.PumpEvents();
  }

  result->anomalyCount = scanner.anomalyCount();
  result->damage = scanner.damagePlaces();
  if (scanner.anomalyCount() > 0) host_.ShowErrorMessage(DamageReport(texts_, scanner), 1);
  return Finish(scanner, result);
}

// Evens out the delay at the end, reports sizes and play time, patches the header.
Failure AacToWav::Finish(const AdtsScanner& scanner, ConversionResult* result) {
  if (!writer_.WriteZeros(delay_.tailBytes)) return Failure::kWriteFailed;
  if (!writer_.Flush()) return Failure::kWriteFailed;
  uint64_t length = writer_.written();
  if (delay_.leadInBytes > 0) {
    length -= delay_.leadInBytes;
    if (!output_.Truncate(length)) return Failure::kWriteFailed;
  }
  host_.AppendInfoText(texts_.outputSize(FormatByteCount(length).c_str()), false);
  const uint32_t slots = static_cast<uint32_t>(frameSlotCount_);
  result->outputSize = length;
  result->outputFrames = frameSlotCount_;
  // A negative delay may leave out every block.
  if (frameSlotCount_ > delay_.skippedSlots) {
    result->flavours = WithFlavour(FlavoursSeen::kNone, request_.blockFlavour);
  }
  result->seconds = PlayTimeSeconds(slots, kSamplingFrequencies[scanner.acceptedIndex()]);
  host_.AppendInfoText(TimeLine(texts_, result->seconds), true);

  const WavSizeFields sizes = WavSizesFor(frameSlotCount_ * format_.blockSize);
  const std::array<uint8_t, kWavHeaderSize> header =
      MakeWavHeader(format_, sizes.dataSize, sizes.riffSize);
  if (!output_.Seek(kWavDataSizeOffset) || !output_.Write(&header[kWavDataSizeOffset], 4) ||
      !output_.Seek(kWavRiffSizeOffset) || !output_.Write(&header[kWavRiffSizeOffset], 4)) {
    return Failure::kWriteFailed;
  }
  return Failure::kNone;
}

}  // namespace

ConversionResult ConvertAacToWav(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs) {
  host.SetProgress(0);
  ConversionResult result;
  uint64_t inputLength = 0;
  std::unique_ptr<File> input = OpenInput(request, host, fs, &inputLength, &result);
  if (!input) return result;

  const WavFormat format = WavFormatForSize(request.outputSize);
  DelayPlan delay;
  if (!PlanDelay(request.delayMs, format, &delay)) {
    return Failed(host, Failure::kDelayTooLarge, request, fs, std::move(result));
  }

  std::unique_ptr<OutputFile> output =
      OutputFile::Open(request, InputKind::kAdts, host, fs, &result);
  if (!output) return result;

  result.inputSize = inputLength;
  AacToWav conversion(request, format, delay, host, *input, inputLength, output->file());
  Failure failure = conversion.Run(&result);
  if (failure == Failure::kNone && !output->Commit(host)) failure = Failure::kWriteFailed;
  if (failure != Failure::kNone) return Failed(host, failure, request, fs, std::move(result));
  input->Close();
  return result;
}

}  // namespace tessaro

// ADTS file to WAV container: every frame in its own block, the stream shifted
// by the requested delay, one extra slot after each damaged region.

#include <cstdlib>

#include "engine/adts.h"
#include "engine/buffered_writer.h"
#include "engine/conversion_common.h"
#include "engine/converters.h"
#include "engine/report_text.h"
#include "engine/wav_container.h"

namespace tessaro {
namespace {

constexpr uint64_t kFlushEverySlots = 512;
constexpr uint64_t kMaxDataChunk = 0xFFFFFFFFu;

// Sample frames (at 48 kHz) the delay shifts the stream by: zeros in front
// for a positive delay, cut from the front and added at the end for a
// negative one.
uint64_t DelaySamples(int32_t delayMs) { return 48 * static_cast<uint64_t>(std::llabs(delayMs)); }

std::string DamageReport(const AdtsScanner& scanner) {
  std::string report = text::kDamageReportHead;
  report += StringPrintf(text::kDamageReportCount, static_cast<int>(scanner.anomalyCount()));
  report += "\r\n";
  report += scanner.anomalyEntries();
  if (scanner.anomalyCount() > AdtsScanner::kMaxListedAnomalies) report += "...";
  return report;
}

// The state of one conversion once both files are open.
class AacToWav {
 public:
  AacToWav(const ConversionRequest& request, ConversionHost& host, File& input,
           uint64_t inputLength, File& output)
      : request_(request),
        host_(host),
        input_(input),
        inputLength_(inputLength),
        output_(output),
        writer_(output),
        format_(WavFormatForSize(request.outputSize)) {}

  // Runs the conversion; returns an empty string or the failure message.
  std::string Run(ConversionResult* result);

 private:
  bool WriteSlot(uint64_t slot, const AdtsScanner& scanner, bool* duplicate);
  std::string Finish(const AdtsScanner& scanner);

  const ConversionRequest& request_;
  ConversionHost& host_;
  File& input_;
  uint64_t inputLength_;
  File& output_;
  BufferedWriter writer_;
  WavFormat format_;
  FrameBlock block_;
  uint64_t frameSlotCount_ = 0;
  uint32_t skipSlots_ = 0;
  uint32_t skipRest_ = 0;
};

// Writes the built block for slot s by the delay rule. *duplicate is set when
// the block went out twice to close a damaged region.
bool AacToWav::WriteSlot(uint64_t s, const AdtsScanner& scanner, bool* duplicate) {
  *duplicate = false;
  if (request_.delayMs < 0 && s < skipSlots_) return true;
  if (request_.delayMs < 0 && s == skipSlots_) {
    const size_t skipped = size_t{skipRest_} * format_.blockAlign;
    return writer_.Write(block_.data() + skipped, format_.blockSize - skipped);
  }
  if (!writer_.Write(block_.data(), format_.blockSize)) return false;
  if (scanner.inAnomalyRun()) {
    *duplicate = true;
    return writer_.Write(block_.data(), format_.blockSize);
  }
  return true;
}

std::string AacToWav::Run(ConversionResult* result) {
  const std::array<uint8_t, kWavHeaderSize> header = MakeWavHeader(format_, 0, 0);
  if (!writer_.Write(header.data(), header.size())) return text::kWriteFailed;
  const int64_t delay = request_.delayMs;
  const uint64_t paddingBytes = DelaySamples(request_.delayMs) * format_.blockAlign;
  if (delay > 0 && !writer_.WriteZeros(paddingBytes)) {
    return text::kWriteFailed;
  }
  host_.SetInfoText(StringPrintf(text::kInputSize, FormatByteCount(inputLength_).c_str()), false);
  if (delay < 0) {
    const uint32_t skipSamples = static_cast<uint32_t>(DelaySamples(request_.delayMs));
    skipSlots_ = skipSamples / kSamplesPerBlock;
    skipRest_ = skipSamples % kSamplesPerBlock;
  }

  AdtsScanner scanner(input_, inputLength_, kMaxBlockFrameLength);
  AdtsScanner::Frame frame;
  for (;;) {
    const AdtsScanner::Status status = scanner.Next(frameSlotCount_, &frame);
    if (status == AdtsScanner::Status::kReadError) return text::kReadFailed;
    if (status == AdtsScanner::Status::kEnd) break;
    if (frameSlotCount_ == 0) {
      host_.AppendInfoText(
          StringPrintf(text::kSamplingLineAac,
                       static_cast<int>(kSamplingFrequencies[frame.header.sampling_frequency_index]),
                       frame.header.channel_configuration, request_.delayMs),
          true);
    }
    block_.Build(frame.bytes, frame.presentLength, frame.header.frame_length);
    bool duplicate = false;
    if (!WriteSlot(frameSlotCount_, scanner, &duplicate)) return text::kWriteFailed;
    if (duplicate) {
      ++frameSlotCount_;
      scanner.EndAnomalyRun();
    }
    scanner.FrameDone();
    host_.SetProgress(static_cast<int>(static_cast<double>(scanner.offset()) * 100.0 /
                                       static_cast<double>(inputLength_)));
    ++frameSlotCount_;
    if (frameSlotCount_ % kFlushEverySlots == 0 && !writer_.Flush()) return text::kWriteFailed;
    host_.PumpEvents();
  }

  result->anomalyCount = scanner.anomalyCount();
  if (scanner.anomalyCount() > 0) host_.ShowErrorMessage(DamageReport(scanner), 1);
  return Finish(scanner);
}

// Evens out the delay at the end, reports sizes and play time, patches the header.
std::string AacToWav::Finish(const AdtsScanner& scanner) {
  const int64_t delay = request_.delayMs;
  const uint64_t paddingBytes = DelaySamples(request_.delayMs) * format_.blockAlign;
  if (delay < 0 && !writer_.WriteZeros(paddingBytes)) {
    return text::kWriteFailed;
  }
  if (!writer_.Flush()) return text::kWriteFailed;
  uint64_t length = writer_.written();
  if (delay > 0) {
    length -= paddingBytes;
    if (!output_.Truncate(length)) return text::kWriteFailed;
  }
  host_.AppendInfoText(StringPrintf(text::kOutputSize, FormatByteCount(length).c_str()), false);
  const uint32_t slots = static_cast<uint32_t>(frameSlotCount_);
  host_.AppendInfoText(TimeLine(PlayTimeSeconds(slots, kSamplingFrequencies[scanner.currentIndex()])),
                       true);

  const WavSizeFields sizes = WavSizesFor(frameSlotCount_ * format_.blockSize);
  const std::array<uint8_t, kWavHeaderSize> header =
      MakeWavHeader(format_, sizes.dataSize, sizes.riffSize);
  if (!output_.Seek(40) || !output_.Write(&header[40], 4) || !output_.Seek(4) ||
      !output_.Write(&header[4], 4)) {
    return text::kWriteFailed;
  }
  return {};
}

}  // namespace

ConversionResult ConvertAacToWav(const ConversionRequest& request, ConversionHost& host,
                                 FileSystem& fs) {
  host.SetProgress(0);
  uint64_t inputLength = 0;
  std::unique_ptr<File> input = OpenInput(request, host, fs, &inputLength);
  if (!input) return ConversionResult{.failed = true};

  // Zero padding alone must fit in the data chunk; this also keeps the delay
  // arithmetic far from overflow.
  const WavFormat format = WavFormatForSize(request.outputSize);
  const uint64_t padding = DelaySamples(request.delayMs) * format.blockAlign;
  if (padding > kMaxDataChunk) return Failed(host, text::kDelayTooLarge);

  std::unique_ptr<File> created = CreateOutput(request, host, fs);
  if (!created) return ConversionResult{.failed = true};
  OutputFile output(fs, request.outputPath, std::move(created));

  ConversionResult result;
  AacToWav conversion(request, host, *input, inputLength, output.file());
  std::string failure = conversion.Run(&result);
  if (failure.empty() && !output.Commit()) failure = text::kWriteFailed;
  if (!failure.empty()) return Failed(host, failure, result);
  input->Close();
  return result;
}

}  // namespace tessaro

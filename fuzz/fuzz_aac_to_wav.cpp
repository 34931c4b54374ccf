// The AAC to WAV conversion of arbitrary bytes, in memory. The first byte
// picks the size choice, the block flavour and whether the second byte sets
// a delay. Checked:
// the conversion never fails on a file system that never fails, the header's
// sizes agree with the file, the input is untouched, and a clean stream in
// 16-bit width without delay comes back byte for byte through the WAV to AAC
// direction.

#include <cstring>

#include "engine/adts.h"
#include "engine/aac_to_wav.h"
#include "engine/wav_to_aac.h"
#include "engine/wav_container.h"
#include "fuzz/fuzz_host.h"

using namespace tessaro;

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The frames of a stream without damage: the input, with the last frame
// completed by zeros where the file cuts it short.
testing::Bytes CompletedFrames(const testing::Bytes& in, AdtsHeader* last) {
  size_t pos = 0;
  while (pos + kAdtsHeaderSize <= in.size()) {
    *last = ParseAdtsHeader(in.data() + pos);
    pos += last->frame_length;
  }
  testing::Bytes out = in;
  out.resize(std::max(pos, in.size()), 0);
  return out;
}

void CheckRoundTrip(testing::MemoryFileSystem& fs, const testing::Bytes& in) {
  fuzz::FuzzHost host;
  ConversionRequest back{"out.wav", "back.aac", 0, 0, Language::kJapanese};
  const ConversionResult r = ConvertWavToAac(back, host, fs);
  FUZZ_CHECK(!r.failed && r.mismatchCount == 0);
  AdtsHeader last;
  testing::Bytes expected = CompletedFrames(in, &last);
  size_t silentLength = 0;
  const uint8_t* silent = SilentFrameFor(kSamplingFrequencies[last.sampling_frequency_index],
                                         last.channel_configuration, &silentLength);
  if (silent) expected.insert(expected.end(), silent, silent + silentLength);
  FUZZ_CHECK(fs.Contents("back.aac") == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int outputSize = data[0] & 1;
  const int32_t delayMs = (data[0] & 2) ? static_cast<int8_t>(data[1]) * 7 : 0;
  const BlockFlavour flavour = (data[0] & 4) ? BlockFlavour::kEditors : BlockFlavour::kClassic;
  const testing::Bytes in(data + 2, data + size);

  testing::MemoryFileSystem fs;
  fuzz::UseSmallDisk(fs);
  fs.SetFile("in.aac", in);
  fuzz::FuzzHost host;
  ConversionRequest request{"in.aac", "out.wav", outputSize, delayMs, Language::kJapanese};
  request.blockFlavour = flavour;
  const ConversionResult result = ConvertAacToWav(request, host, fs);
  FUZZ_CHECK(!result.failed);
  FUZZ_CHECK(fuzz::StartsWith(host.info, "入力サイズ："));
  FUZZ_CHECK(host.info.find("エラー：") == std::string::npos);
  FUZZ_CHECK(host.errorWindows == (result.anomalyCount > 0 ? 1 : 0));
  FUZZ_CHECK(fs.Contents("in.aac") == in);

  const testing::Bytes out = fs.Contents("out.wav");
  FUZZ_CHECK(out.size() >= kWavHeaderSize);
  const auto header = MakeWavHeader(WavFormatForSize(outputSize), 0, 0);
  FUZZ_CHECK(std::memcmp(out.data(), header.data(), 4) == 0);
  FUZZ_CHECK(std::memcmp(out.data() + 8, header.data() + 8, 32) == 0);
  const uint32_t dataSize = Le32(&out[40]);
  FUZZ_CHECK(Le32(&out[4]) == dataSize + 36);
  FUZZ_CHECK(dataSize % WavFormatForSize(outputSize).blockSize == 0);
  if (delayMs >= 0) FUZZ_CHECK(out.size() == kWavHeaderSize + dataSize);

  if (outputSize == 0 && delayMs == 0 && result.anomalyCount == 0) CheckRoundTrip(fs, in);
  return 0;
}

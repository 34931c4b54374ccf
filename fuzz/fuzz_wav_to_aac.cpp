// The WAV to AAC conversion of arbitrary bytes, in memory. The first byte
// picks a layout: the rest as the whole file (the header walk), or as data
// behind a valid 16-bit header and zeros that put it at the end of the first
// read window (blocks crossing a refill). Checked: no crash, a failure only
// with a header message and then no output, the input untouched, and an
// output made only of whole ADTS frames.

#include <cstring>

#include "engine/adts.h"
#include "engine/wav_to_aac.h"
#include "engine/wav_container.h"
#include "fuzz/fuzz_host.h"

using namespace tessaro;

namespace {

constexpr uint32_t kWindow = 0x80000;

testing::Bytes LeadIn(uint8_t layout) {
  const auto header = MakeWavHeader(WavFormatForSize(layout & 1), 0, 0);
  testing::Bytes bytes(header.begin(), header.end());
  // Data offsets from 0x7F800 - 0x1FC0 up to the end of the window.
  const uint32_t at = kWindow - 2048 - 64u * (layout & 0x3F) + (layout & 0x40 ? 2000u : 0u);
  bytes.resize(kWavHeaderSize + at, 0);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  testing::Bytes in;
  if (data[0] & 0x80) in = LeadIn(data[0]);
  in.insert(in.end(), data + 1, data + size);

  testing::MemoryFileSystem fs;
  fuzz::UseSmallDisk(fs);
  fs.SetFile("in.wav", in);
  fuzz::FuzzHost host;
  const ConversionResult result =
      ConvertWavToAac(ConversionRequest{"in.wav", "out.aac", 0, 0, Language::kJapanese}, host, fs);
  FUZZ_CHECK(fs.Contents("in.wav") == in);
  if (result.failed) {
    FUZZ_CHECK(fuzz::StartsWith(host.info, "エラー："));
    FUZZ_CHECK(!fs.Exists("out.aac"));
    return 0;
  }
  FUZZ_CHECK(fuzz::StartsWith(host.info, "入力サイズ："));
  FUZZ_CHECK(host.errorWindows == (result.noFrameFound ? 1 : 0));
  FUZZ_CHECK(host.info.find("時間：") != std::string::npos);
  // Every frame written starts with a sync pair; the frames that carry their
  // own length (seven bytes or more) chain up to the end of the file.
  const testing::Bytes out = fs.Contents("out.aac");
  size_t pos = 0;
  while (pos + kAdtsHeaderSize <= out.size()) {
    FUZZ_CHECK(IsAdtsSync(out[pos], out[pos + 1]));
    const uint32_t length = ParseAdtsHeader(out.data() + pos).frame_length;
    if (length < kAdtsHeaderSize) return 0;
    pos += length;
  }
  FUZZ_CHECK(pos == out.size());
  return 0;
}

// The ADTS scanner's walk over arbitrary bytes. The first input byte picks a
// layout: the rest as the whole file, or behind a run of silent frames that
// puts it at the end of the first read window, where frames cross a refill.
// Every frame handed out must be the file's own bytes at the stream offset.

#include <cstring>
#include <memory>

#include "engine/adts.h"
#include "engine/wav_container.h"
#include "fuzz/fuzz_host.h"

using namespace tessaro;

namespace {

// Silent stereo frames up to the refill threshold, less `back` frames; built
// once per length.
const testing::Bytes& SilentLeadIn(unsigned back) {
  static testing::Bytes leadIns[64];
  testing::Bytes& bytes = leadIns[back];
  if (bytes.empty()) {
    size_t length = 0;
    const uint8_t* silent = SilentFrameFor(48000, 2, &length);
    const size_t frames = ReadWindow::kRefillThreshold / length - back;
    for (size_t i = 0; i < frames; ++i) bytes.insert(bytes.end(), silent, silent + length);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t layout = data[0];
  static testing::Bytes file;  // reused: the lead-in is half a megabyte
  file.clear();
  if (layout & 0x80) file = SilentLeadIn(layout & 0x3F);
  const size_t leadIn = file.size();
  file.insert(file.end(), data + 1, data + size);

  testing::MemoryFileSystem fs;
  fuzz::UseSmallDisk(fs);
  fs.SetFile("in.aac", file);
  std::unique_ptr<File> input = fs.OpenRead("in.aac");
  AdtsScanner scanner(*input, file.size(), kMaxBlockFrameLength);
  // On the heap, one block long: overruns are caught.
  auto block = std::make_unique<uint8_t[]>(kLargestBlockSize);
  size_t cleanFrom = 0;

  uint64_t slots = 0;
  uint64_t lastOffset = 0;
  AdtsScanner::Frame frame;
  for (;;) {
    const AdtsScanner::Status status = scanner.Next(slots, &frame);
    FUZZ_CHECK(status != AdtsScanner::Status::kReadError);
    if (status == AdtsScanner::Status::kEnd) break;
    const uint64_t at = scanner.offset();
    FUZZ_CHECK(slots == 0 || at > lastOffset);
    FUZZ_CHECK(IsAdtsSync(frame.bytes[0], frame.bytes[1]));
    FUZZ_CHECK(frame.header.frame_length <= kMaxBlockFrameLength);
    FUZZ_CHECK(at + kAdtsHeaderSize <= file.size());
    // All of the frame the file holds, and never more than it declares.
    FUZZ_CHECK(frame.presentLength == std::min<uint64_t>(frame.header.frame_length, file.size() - at));
    FUZZ_CHECK(std::memcmp(frame.bytes, file.data() + at, frame.presentLength) == 0);
    if (at + 64 >= leadIn) {
      cleanFrom = BuildFrameBlock(block.get(), kLargestBlockSize, cleanFrom, frame.bytes,
                                  frame.presentLength, frame.header.frame_length);
    }
    if (scanner.inAnomalyRun()) {
      ++slots;
      scanner.EndAnomalyRun();
    }
    lastOffset = at;
    scanner.FrameDone();
    ++slots;
  }
  // One entry per damaged region, at most ten listed.
  FUZZ_CHECK(scanner.damagePlaces().size() == std::min<uint32_t>(scanner.anomalyCount(), AdtsScanner::kMaxListedAnomalies));
  FUZZ_CHECK(file.empty() ? scanner.anomalyCount() == 1 : true);
  return 0;
}

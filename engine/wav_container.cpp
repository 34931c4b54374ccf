// The WAV container's bytes: header, block building, checksum, the reader's
// header walk and the test of one block candidate.

#include "engine/wav_container.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/engine_texts.h"

namespace tessaro {
namespace {

void PutLe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLe32(uint8_t* p, uint32_t v) {
  PutLe16(p, v);
  PutLe16(p + 2, v >> 16);
}

uint32_t GetLe32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The longest chunk body the header walk accepts.
constexpr uint32_t kMaxChunkBody = 74;
// Where the header walk starts: behind "RIFF", the RIFF size, "WAVE" and "fmt ".
constexpr size_t kFirstChunkSizeOffset = 16;
// Block align within the format chunk's body.
constexpr size_t kFormatBlockAlignOffset = 12;

// A refusal of the header walk: its message for the caller, its failure returned.
Failure Refuse(Failure failure, const std::string& text, std::string* message) {
  *message = text;
  return failure;
}

}  // namespace

WavFormat WavFormatForSize(int outputSize) {
  const uint16_t bits = outputSize == 0 ? 16 : 8;
  const uint16_t blockAlign = static_cast<uint16_t>(bits / 8 * 2);
  return WavFormat{bits, blockAlign, uint32_t{blockAlign} * kWavSampleRate,
                   uint32_t{blockAlign} * kSamplesPerBlock};
}

BlockChecksum ComputeBlockChecksum(const uint8_t* frame, size_t length) {
  uint16_t sum = 0;
  uint16_t exclusiveOr = 0;
  const size_t words = length / 2;
  for (size_t i = 0; i < words; ++i) {
    uint16_t word;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&word, frame + 2 * i, 2);  // a loop compilers turn into vector instructions
    } else {
      word = static_cast<uint16_t>(frame[2 * i] | frame[2 * i + 1] << 8);
    }
    sum = static_cast<uint16_t>(sum + word);
    exclusiveOr ^= word;
  }
  if (length % 2 != 0) {
    sum = static_cast<uint16_t>(sum + frame[length - 1]);
    exclusiveOr ^= frame[length - 1];
  }
  return BlockChecksum{sum, exclusiveOr};
}

std::array<uint8_t, kWavHeaderSize> MakeWavHeader(const WavFormat& format, uint32_t dataSize,
                                                  uint32_t riffSize) {
  std::array<uint8_t, kWavHeaderSize> h{};
  std::memcpy(&h[0], "RIFF", 4);
  PutLe32(&h[kWavRiffSizeOffset], riffSize);
  std::memcpy(&h[8], "WAVE", 4);
  std::memcpy(&h[12], "fmt ", 4);
  PutLe32(&h[16], 16);
  PutLe16(&h[20], 1);  // PCM
  PutLe16(&h[22], 2);  // channels
  PutLe32(&h[24], kWavSampleRate);
  PutLe32(&h[28], format.byteRate);
  PutLe16(&h[32], format.blockAlign);
  PutLe16(&h[34], format.bitsPerSample);
  std::memcpy(&h[36], "data", 4);
  PutLe32(&h[kWavDataSizeOffset], dataSize);
  return h;
}

WavSizeFields WavSizesFor(uint64_t dataBytes) {
  constexpr uint64_t kMax = 0xFFFFFFFFu;
  return WavSizeFields{static_cast<uint32_t>(std::min(dataBytes, kMax)),
                       static_cast<uint32_t>(std::min(dataBytes + 36, kMax))};
}

size_t BuildFrameBlock(uint8_t* block, size_t blockSize, size_t cleanFrom, const uint8_t* frame,
                       uint32_t presentLength, uint32_t frameLength, BlockFlavour flavour) {
  // Only what the previous block wrote needs clearing: the rest stayed zero.
  const size_t frameEnd = std::min(kBlockFrameOffset + presentLength, blockSize);
  if (cleanFrom > frameEnd) std::memset(block + frameEnd, 0, cleanFrom - frameEnd);
  std::memset(block, 0, kBlockPreambleOffset);
  const std::array<uint8_t, 8>& preamble = PreambleOf(flavour);
  std::memcpy(block + kBlockPreambleOffset, preamble.data(), preamble.size());
  std::memcpy(block + kBlockFrameOffset, frame, frameEnd - kBlockFrameOffset);
  const size_t trailerStart = kBlockFrameOffset + frameLength;
  if (trailerStart >= blockSize) return frameEnd;
  // The declared bytes the file lacks count as zeros, which add nothing to
  // either half of the checksum.
  const BlockChecksum c = ComputeBlockChecksum(frame, presentLength);
  std::array<uint8_t, kBlockTrailerSize> trailer{};
  PutLe16(&trailer[kTrailerChecksumOffset], c.sum);
  PutLe16(&trailer[kTrailerChecksumOffset + 2], c.exclusiveOr);
  std::memcpy(&trailer[kTrailerEndMarkOffset], kBlockEndMark.data(), kBlockEndMark.size());
  const size_t trailerEnd = std::min(trailerStart + trailer.size(), blockSize);
  std::memcpy(block + trailerStart, trailer.data(), trailerEnd - trailerStart);
  return trailerEnd;
}

Failure ReadWavLayout(File& in, uint64_t fileLength, WavLayout* layout, const EngineTexts& texts,
                      std::string* message) {
  const auto broken = [&] { return Refuse(Failure::kInputInvalid, texts.inputBroken, message); };
  const auto notWav = [&] { return Refuse(Failure::kNotWav, texts.notWav, message); };
  if (fileLength < kWavMinimumLength) return broken();
  uint8_t head[kFirstChunkSizeOffset];
  size_t got = 0;
  if (!in.Read(head, sizeof head, &got) || got != sizeof head) return broken();
  if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0 ||
      std::memcmp(head + 12, "fmt ", 4) != 0) {
    return notWav();
  }

  uint8_t chunk[kMaxChunkBody + 4] = {};
  uint64_t position = kFirstChunkSizeOffset;
  uint32_t blockLength = 0;
  for (;;) {
    uint8_t sizeField[4];
    if (!in.Read(sizeField, 4, &got) || got != 4) return broken();
    position += 4;
    const uint32_t size = GetLe32(sizeField);
    if (size > kMaxChunkBody) {
      // Both numbers are shown as the signed values a 32-bit "%d" prints.
      const std::string text =
          texts.inputBrokenChunk(static_cast<int32_t>(size), static_cast<int32_t>(position));
      return Refuse(Failure::kInputInvalidChunk, text, message);
    }
    if (!in.Read(chunk, size + 4, &got) || got != size + 4) return broken();
    position += size + 4;
    const uint8_t* id = chunk + size;
    for (int i = 0; i < 4; ++i) {
      if (id[i] < 0x20 || id[i] > 0x7E) return notWav();
    }
    if (blockLength == 0) {
      const uint8_t* blockAlign = chunk + kFormatBlockAlignOffset;
      blockLength = (blockAlign[0] + 256u * blockAlign[1]) * kSamplesPerBlock;
    }
    if (std::memcmp(id, "data", 4) == 0) break;
  }
  uint8_t dataSize[4];
  if (!in.Read(dataSize, 4, &got) || got != 4) return broken();
  // Without a block length frames could be neither timed nor found.
  if (blockLength == 0) return broken();
  layout->dataStart = position + 4;
  layout->blockLength = blockLength;
  return Failure::kNone;
}

BlockCandidate TestBlockCandidate(const uint8_t* data, size_t available, size_t p) {
  BlockCandidate c;
  using Kind = BlockCandidate::Kind;
  // Each check looks only at bytes it has; a check that runs out of bytes
  // asks for more rather than deciding.
  // The first byte tells which preamble it can be.
  if (p >= available) return c.kind = Kind::kNeedMore, c;
  if (data[p] == kEditorsBlockPreamble[0]) {
    c.flavour = BlockFlavour::kEditors;
  } else if (data[p] != kBlockPreamble[0]) {
    return c;
  }
  const std::array<uint8_t, 8>& preamble = PreambleOf(c.flavour);
  for (size_t i = 1; i < preamble.size(); ++i) {
    if (p + i >= available) return c.kind = Kind::kNeedMore, c;
    if (data[p + i] != preamble[i]) return c;
  }
  const size_t f = p + kPreambleToFrame;
  if (f + kAdtsSyncSize > available) return c.kind = Kind::kNeedMore, c;
  if (!IsAdtsSync(data[f], data[f + 1])) return c;
  if (f + kAdtsBytesForLength > available) return c.kind = Kind::kNeedMore, c;
  c.header = ParseAdtsHeader(data + f);
  c.headerParsed = true;
  const size_t length = c.header.frame_length;
  const size_t end = f + length + kTrailerEndMarkOffset;
  if (end + kBlockEndMark.size() > available) {
    for (size_t i = 0; end + i < available; ++i) {
      if (data[end + i] != kBlockEndMark[i]) return c;
    }
    return c.kind = Kind::kNeedMore, c;
  }
  if (std::memcmp(data + end, kBlockEndMark.data(), kBlockEndMark.size()) != 0) return c;
  c.computed = ComputeBlockChecksum(data + f, length);
  std::memcpy(c.stored.data(), data + f + length + kTrailerChecksumOffset, kTrailerChecksumSize);
  const bool match = c.stored[0] == static_cast<uint8_t>(c.computed.sum) &&
                     c.stored[1] == static_cast<uint8_t>(c.computed.sum >> 8) &&
                     c.stored[2] == static_cast<uint8_t>(c.computed.exclusiveOr) &&
                     c.stored[3] == static_cast<uint8_t>(c.computed.exclusiveOr >> 8);
  c.kind = match ? Kind::kAccept : Kind::kMismatch;
  return c;
}

}  // namespace tessaro

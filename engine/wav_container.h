#pragma once
// The WAV container: a 44-byte PCM header (48 kHz stereo) and a data chunk in
// which every ADTS frame fills its own block of 1024 sample frames.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/adts.h"
#include "engine/block_flavour.h"
#include "engine/failure.h"
#include "engine/file_io.h"

namespace tessaro {

struct EngineTexts;

inline constexpr size_t kWavHeaderSize = 44;
// Header fields patched at the end of a conversion.
inline constexpr size_t kWavRiffSizeOffset = 4;
inline constexpr size_t kWavDataSizeOffset = 40;
// The smallest file the reader takes: a header up to the data chunk's size
// field and one more word.
inline constexpr uint64_t kWavMinimumLength = 48;
inline constexpr uint32_t kWavSampleRate = 48000;
inline constexpr uint32_t kSamplesPerBlock = 1024;

// The layout of one FrameBlock, offsets from the block's start:
//   0   4 zero bytes
//   4   the preamble, four 16-bit little-endian words
//   12  the ADTS frame, L bytes
// and behind the frame, offsets from its end:
//   0   the checksum: sum, then exclusive-or, 16 bits each, little-endian
//   4   8 zero bytes
//   12  the end mark "END"
//   15  zeros to the end of the block
inline constexpr size_t kBlockPreambleOffset = 4;
// The classic preamble: the four words of an IEC 61937 burst preamble.
inline constexpr std::array<uint8_t, 8> kBlockPreamble = {
    0x72, 0xF8,  // 0xF872, first burst sync word
    0x1F, 0x4E,  // 0x4E1F, second burst sync word
    0x07, 0x01,  // 0x0107, data type in the low five bits: 7, MPEG-2 AAC
    0x00, 0x00,  // 0x0000, burst length, left at 0
};
// The editors' preamble: "TSRADTS" and a version byte. It shares no sync word
// with IEC 61937, SMPTE 337, DTS, AC-3 or MPEG audio, so no detector takes the
// samples for a compressed stream; its first byte is not zero, like the
// classic one's, since the reader tests a candidate only at such a byte.
inline constexpr std::array<uint8_t, 8> kEditorsBlockPreamble = {
    'T', 'S', 'R', 'A', 'D', 'T', 'S', 0x01,
};
static_assert(kBlockPreamble[0] != 0 && kEditorsBlockPreamble[0] != 0 &&
              kBlockPreamble[0] != kEditorsBlockPreamble[0]);
inline constexpr const std::array<uint8_t, 8>& PreambleOf(BlockFlavour flavour) {
  return flavour == BlockFlavour::kEditors ? kEditorsBlockPreamble : kBlockPreamble;
}
inline constexpr size_t kBlockFrameOffset = kBlockPreambleOffset + kBlockPreamble.size();
// Where the frame starts, seen from its preamble.
inline constexpr size_t kPreambleToFrame = kBlockFrameOffset - kBlockPreambleOffset;
inline constexpr size_t kTrailerChecksumOffset = 0;
inline constexpr size_t kTrailerChecksumSize = 4;
inline constexpr size_t kTrailerEndMarkOffset = 12;
inline constexpr std::array<uint8_t, 3> kBlockEndMark = {'E', 'N', 'D'};
inline constexpr size_t kBlockTrailerSize = kTrailerEndMarkOffset + kBlockEndMark.size();
inline constexpr size_t kLargestBlockSize = 4096;
inline constexpr size_t kSmallestBlockSize = 2048;
// The longest frame whose trailer still fits in a 16-bit block.
inline constexpr uint32_t kMaxBlockFrameLength =
    static_cast<uint32_t>(kLargestBlockSize - kBlockFrameOffset - kBlockTrailerSize);

// The declared PCM format for a size choice: 0 is 16-bit, anything else 8-bit.
struct WavFormat {
  uint16_t bitsPerSample;
  uint16_t blockAlign;  // bytes per sample frame, both channels
  uint32_t byteRate;
  uint32_t blockSize;   // bytes of one FrameBlock
};
WavFormat WavFormatForSize(int outputSize);

// Sum and exclusive-or of the frame's little-endian 16-bit words; an odd last
// byte counts as a word with a zero high byte.
struct BlockChecksum {
  uint16_t sum = 0;
  uint16_t exclusiveOr = 0;
};
BlockChecksum ComputeBlockChecksum(const uint8_t* frame, size_t length);

// A block whose checksum did not match: the input file offset of its
// preamble, the checksum computed over the frame and the four stored bytes.
struct MismatchPlace {
  uint64_t offset = 0;
  BlockChecksum computed;
  std::array<uint8_t, 4> stored{};
};

// The 44-byte header with the given size fields.
std::array<uint8_t, kWavHeaderSize> MakeWavHeader(const WavFormat& format, uint32_t dataSize,
                                                  uint32_t riffSize);

// Size fields for a data chunk of dataBytes. Past what 32 bits hold they
// saturate at 0xFFFFFFFF, which readers take as "to the end of the file",
// rather than wrapping to a small, wrong length.
struct WavSizeFields {
  uint32_t dataSize;
  uint32_t riffSize;
};
WavSizeFields WavSizesFor(uint64_t dataBytes);

// Builds the block of a frame in place in block[0..blockSize), whose bytes
// from cleanFrom on are zero; whatever lies below cleanFrom (an earlier
// block, or anything when cleanFrom is blockSize) is overwritten or cleared. frameLength is the
// declared length (at most kMaxBlockFrameLength); presentLength bytes of it
// are at frame, the rest count as zeros. Nothing is written past blockSize:
// there a frame too long for a half-size block loses its tail and trailer.
// The preamble is the flavour's, written whole. Returns the new cleanFrom.
size_t BuildFrameBlock(uint8_t* block, size_t blockSize, size_t cleanFrom, const uint8_t* frame,
                       uint32_t presentLength, uint32_t frameLength,
                       BlockFlavour flavour = BlockFlavour::kClassic);

// Where the data of a container starts and how far apart its blocks are.
struct WavLayout {
  uint64_t dataStart = 0;    // file offset behind the data chunk's size field
  uint32_t blockLength = 0;  // block align x 1024
};

// Walks the RIFF header up to the data chunk. On success returns kNone and
// fills layout; otherwise returns the failure and puts its message (from
// texts) in *message. The file is read from offset 0; fileLength is its length.
Failure ReadWavLayout(File& in, uint64_t fileLength, WavLayout* layout, const EngineTexts& texts,
                      std::string* message);

// The test of one possible block whose preamble (of either flavour) starts at
// p in data[0..available).
struct BlockCandidate {
  enum class Kind {
    kReject,    // no intact block here
    kNeedMore,  // so far a block, but it runs past the available bytes
    kMismatch,  // preamble, sync and "END" intact, checksum wrong
    kAccept,
  };
  Kind kind = Kind::kReject;
  BlockFlavour flavour = BlockFlavour::kClassic;  // of the preamble, where one was found
  bool headerParsed = false;  // header fields valid
  AdtsHeader header;
  BlockChecksum computed;
  std::array<uint8_t, kTrailerChecksumSize> stored{};
};
BlockCandidate TestBlockCandidate(const uint8_t* data, size_t available, size_t p);

}  // namespace tessaro

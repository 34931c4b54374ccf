#pragma once
// The output of the AAC to WAV direction: the header, runs of zeros and frame
// blocks, gathered into large writes. Blocks are built in place in a buffer of
// whole blocks that is reused from one write to the next, so a block costs the
// bytes its frame and trailer take (and clearing what the block before it in
// that place left), not a copy of the whole block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/file_io.h"
#include "engine/wav_container.h"

namespace tessaro {

// Every call returns false once a write to the file has failed; later calls
// then do nothing.
class BlockWriter {
 public:
  static constexpr size_t kBufferSize = size_t{1} << 20;  // 1 MiB
  static_assert(kBufferSize % kLargestBlockSize == 0 && kBufferSize % kSmallestBlockSize == 0,
                "the buffer holds whole blocks of either size");

  // blockSize is kLargestBlockSize or kSmallestBlockSize; every block gets
  // the flavour's preamble.
  BlockWriter(File& file, uint32_t blockSize, BlockFlavour flavour = BlockFlavour::kClassic);

  // Writes bytes as they are (the header); a few in front of the blocks go
  // out with them.
  bool Write(const uint8_t* data, size_t n);
  // Writes n zero bytes.
  bool WriteZeros(uint64_t n);
  // Writes the block of a frame (see BuildFrameBlock), less its first
  // skipFront bytes.
  bool WriteBlock(const uint8_t* frame, uint32_t presentLength, uint32_t frameLength,
                  size_t skipFront = 0);
  // Hands the buffered blocks to the operating system (no sync to the disk).
  bool Flush();
  // Bytes written through this writer so far, buffered ones included.
  uint64_t written() const { return written_; }

 private:
  static constexpr size_t kMaxSlots = kBufferSize / kSmallestBlockSize;
  static constexpr size_t kHeadRoom = 64;  // in front of the blocks, for the header
  static_assert(kHeadRoom >= kWavHeaderSize);

  File& file_;
  const uint32_t blockSize_;
  const BlockFlavour flavour_;
  const size_t slotCount_;
  std::unique_ptr<uint8_t[]> buffer_;
  uint8_t* blocks_;  // behind the head room
  // Per block place in the buffer: from here on it holds zeros. A place not
  // used yet may hold anything (the buffer is never cleared as a whole: a
  // short stream touches only the places it uses).
  std::array<size_t, kMaxSlots> cleanFrom_;
  size_t headBytes_ = 0;  // bytes waiting just in front of the blocks
  size_t slotsUsed_ = 0;
  size_t skipped_ = 0;    // bytes at the front of the first slot not to be written
  uint64_t written_ = 0;
  bool failed_ = false;
};

}  // namespace tessaro

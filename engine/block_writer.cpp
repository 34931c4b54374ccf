// The output buffer of whole blocks, built in place.

#include "engine/block_writer.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

BlockWriter::BlockWriter(File& file, uint32_t blockSize, BlockFlavour flavour)
    : file_(file),
      blockSize_(blockSize),
      flavour_(flavour),
      slotCount_(kBufferSize / blockSize),
      buffer_(new uint8_t[kHeadRoom + kBufferSize]),
      blocks_(buffer_.get() + kHeadRoom) {
  cleanFrom_.fill(blockSize);
}

bool BlockWriter::Write(const uint8_t* data, size_t n) {
  if (failed_) return false;
  // Bytes in front of the blocks go out with them, in one write.
  if (slotsUsed_ == 0 && headBytes_ + n <= kHeadRoom) {
    std::memmove(blocks_ - headBytes_ - n, blocks_ - headBytes_, headBytes_);
    std::memcpy(blocks_ - n, data, n);
    headBytes_ += n;
    written_ += n;
    return true;
  }
  if (!Flush()) return false;
  if (!file_.Write(data, n)) return failed_ = true, false;
  written_ += n;
  return true;
}

bool BlockWriter::WriteZeros(uint64_t n) {
  if (n == 0) return !failed_;
  if (!Flush()) return false;
  const size_t piece = static_cast<size_t>(std::min<uint64_t>(n, kBufferSize));
  for (size_t slot = 0; slot * blockSize_ < piece; ++slot) {
    std::memset(blocks_ + slot * blockSize_, 0, cleanFrom_[slot]);
    cleanFrom_[slot] = 0;
  }
  while (n > 0) {
    const size_t part = static_cast<size_t>(std::min<uint64_t>(n, piece));
    if (!file_.Write(blocks_, part)) return failed_ = true, false;
    written_ += part;
    n -= part;
  }
  return true;
}

bool BlockWriter::WriteBlock(const uint8_t* frame, uint32_t presentLength, uint32_t frameLength,
                             size_t skipFront) {
  if (failed_) return false;
  // Only the first block of a write can be cut at its front.
  if (skipFront > 0 && (slotsUsed_ > 0 || headBytes_ > 0) && !Flush()) return false;
  if (skipFront > 0) skipped_ = skipFront;
  uint8_t* block = blocks_ + slotsUsed_ * blockSize_;
  cleanFrom_[slotsUsed_] =
      BuildFrameBlock(block, blockSize_, cleanFrom_[slotsUsed_], frame, presentLength, frameLength,
                      flavour_);
  ++slotsUsed_;
  written_ += blockSize_ - skipFront;
  return slotsUsed_ < slotCount_ || Flush();
}

bool BlockWriter::Flush() {
  if (failed_) return false;
  const uint8_t* from = blocks_ + skipped_ - headBytes_;
  const uint8_t* to = blocks_ + slotsUsed_ * blockSize_;
  if (to > from && !file_.Write(from, static_cast<size_t>(to - from))) {
    return failed_ = true, false;
  }
  headBytes_ = 0;
  slotsUsed_ = 0;
  skipped_ = 0;
  return true;
}

}  // namespace tessaro

// The output buffer of whole blocks, built in place.

#include "engine/block_writer.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

BlockWriter::BlockWriter(File& file, uint32_t blockSize)
    : file_(file),
      blockSize_(blockSize),
      slotCount_(kBufferSize / blockSize),
      buffer_(new uint8_t[kBufferSize]()) {}

bool BlockWriter::Write(const uint8_t* data, size_t n) {
  if (!Flush()) return false;
  if (!file_.Write(data, n)) return failed_ = true, false;
  written_ += n;
  return true;
}

bool BlockWriter::WriteZeros(uint64_t n) {
  if (n == 0) return !failed_;
  if (!Flush()) return false;
  for (size_t slot = 0; slot < slotCount_; ++slot) {
    std::memset(buffer_.get() + slot * blockSize_, 0, cleanFrom_[slot]);
    cleanFrom_[slot] = 0;
  }
  while (n > 0) {
    const size_t piece = static_cast<size_t>(std::min<uint64_t>(n, kBufferSize));
    if (!file_.Write(buffer_.get(), piece)) return failed_ = true, false;
    written_ += piece;
    n -= piece;
  }
  return true;
}

bool BlockWriter::WriteBlock(const uint8_t* frame, uint32_t presentLength, uint32_t frameLength,
                             size_t skipFront) {
  if (failed_) return false;
  // Only a buffer's first block can be cut at the front.
  if (skipFront > 0 && slotsUsed_ > 0 && !Flush()) return false;
  if (skipFront > 0) skipped_ = skipFront;
  uint8_t* block = buffer_.get() + slotsUsed_ * blockSize_;
  cleanFrom_[slotsUsed_] =
      BuildFrameBlock(block, blockSize_, cleanFrom_[slotsUsed_], frame, presentLength, frameLength);
  ++slotsUsed_;
  written_ += blockSize_ - skipFront;
  return slotsUsed_ < slotCount_ || Flush();
}

bool BlockWriter::Flush() {
  if (failed_) return false;
  const size_t end = slotsUsed_ * blockSize_;
  if (end > skipped_ && !file_.Write(buffer_.get() + skipped_, end - skipped_)) {
    return failed_ = true, false;
  }
  slotsUsed_ = 0;
  skipped_ = 0;
  return true;
}

}  // namespace tessaro

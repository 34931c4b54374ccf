// The output buffer that gathers small writes into large ones.

#include "engine/buffered_writer.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

bool BufferedWriter::Write(const uint8_t* data, size_t n) {
  if (failed_) return false;
  written_ += n;
  if (used_ + n > kBufferSize) {
    if (!Flush()) return false;
    if (n >= kBufferSize) {
      if (!file_.Write(data, n)) return failed_ = true, false;
      return true;
    }
  }
  std::memcpy(buffer_.get() + used_, data, n);
  used_ += n;
  return true;
}

bool BufferedWriter::WriteZeros(uint64_t n) {
  while (n > 0 && !failed_) {
    if (used_ == kBufferSize && !Flush()) break;
    const size_t piece = static_cast<size_t>(std::min<uint64_t>(n, kBufferSize - used_));
    std::memset(buffer_.get() + used_, 0, piece);
    used_ += piece;
    written_ += piece;
    n -= piece;
  }
  return !failed_;
}

bool BufferedWriter::Flush() {
  if (failed_) return false;
  if (used_ > 0 && !file_.Write(buffer_.get(), used_)) return failed_ = true, false;
  used_ = 0;
  return true;
}

}  // namespace tessaro

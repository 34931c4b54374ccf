// The refill of the 512 KiB read window.

#include "engine/read_window.h"

#include <cstring>

namespace tessaro {

bool ReadWindow::Refill(uint32_t from) {
  const uint32_t kept = from < fill_ ? fill_ - from : 0;
  if (kept > 0 && from > 0) std::memmove(data_.get(), data_.get() + from, kept);
  fill_ = kept;
  pos = 0;
  if (exhausted_) return true;
  size_t got = 0;
  const size_t wanted = kSize - kept;
  if (!file_.Read(data_.get() + kept, wanted, &got)) return false;
  readPos_ += got;
  fill_ += static_cast<uint32_t>(got);
  if (got < wanted) {
    if (readPos_ < fileLength_) return false;
    exhausted_ = true;
  }
  return true;
}

}  // namespace tessaro

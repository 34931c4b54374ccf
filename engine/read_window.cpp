// The refill of the 512 KiB read window.

#include "engine/read_window.h"

#include <bit>
#include <cstring>

#include "engine/byte_order.h"

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

void ReadWindow::SkipZeros(uint32_t limit) {
  // Zero runs fill most of every block: they are passed a stretch at a time
  // (a loop compilers turn into vector instructions), then a word at a time.
  constexpr uint32_t kStretch = 128;
  const uint8_t* data = data_.get();
  uint32_t p = pos;
  if (p >= limit) return;
  while (limit - p >= kStretch) {
    const uint8_t* stretch = data + p;
    uint8_t lanes[16] = {};
    for (uint32_t i = 0; i < kStretch; i += sizeof lanes) {
      for (uint32_t j = 0; j < sizeof lanes; ++j) lanes[j] |= stretch[i + j];
    }
    uint64_t halves[2];
    std::memcpy(halves, lanes, sizeof halves);
    if ((halves[0] | halves[1]) != 0) break;
    p += kStretch;
  }
  while (limit - p >= 8) {
    const uint64_t word = LoadLe64(data + p);
    if (word != 0) {
      pos = p + static_cast<uint32_t>(std::countr_zero(word)) / 8;  // the lowest byte comes first
      return;
    }
    p += 8;
  }
  while (p < limit && data[p] == 0) ++p;
  pos = p;
}

}  // namespace tessaro

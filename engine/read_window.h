#pragma once
// The fixed read window both conversions walk their input with: 512 KiB,
// refilled by moving its unread tail to the front and reading behind it.

#include <cstdint>
#include <memory>

#include "engine/file_io.h"

namespace tessaro {

class ReadWindow {
 public:
  static constexpr uint32_t kSize = 0x80000;            // 512 KiB
  static constexpr uint32_t kRefillThreshold = 0x7F800;  // leaves 2 KiB of look-ahead

  // Reads from the file's current position, which is file offset start;
  // fileLength is the file's length taken when it was opened.
  ReadWindow(File& file, uint64_t start, uint64_t fileLength)
      : file_(file), readPos_(start), fileLength_(fileLength), data_(new uint8_t[kSize]) {}

  // Moves the bytes from `from` to the end of the window to its start, sets
  // pos to 0 and fills the rest from the file. False on a failed read, and on
  // data that ends before fileLength: the file shrank or the device gave up,
  // and going on would drop the rest unseen.
  bool Refill(uint32_t from);

  const uint8_t* data() const { return data_.get(); }
  uint32_t fill() const { return fill_; }
  // True once the file has given all it has.
  bool exhausted() const { return exhausted_; }
  // File offset just past the last byte read.
  uint64_t readPos() const { return readPos_; }
  // File offset of the window byte at p.
  uint64_t FileOffset(uint32_t p) const { return readPos_ - fill_ + p; }

  uint32_t pos = 0;  // the byte under test; the walker moves it

  // Moves pos to the first byte from pos on that is not zero, or to limit
  // (at most fill()) when there is none before it.
  void SkipZeros(uint32_t limit);

 private:
  File& file_;
  uint64_t readPos_;
  uint64_t fileLength_;
  std::unique_ptr<uint8_t[]> data_;
  uint32_t fill_ = 0;
  bool exhausted_ = false;
};

}  // namespace tessaro

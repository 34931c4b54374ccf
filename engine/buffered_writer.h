#pragma once
// Collects small writes into one large buffer before they reach the file.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/file_io.h"

namespace tessaro {

class BufferedWriter {
 public:
  static constexpr size_t kBufferSize = size_t{1} << 20;  // 1 MiB

  explicit BufferedWriter(File& file) : file_(file), buffer_(new uint8_t[kBufferSize]) {}

  // False once any write to the file has failed; later calls do nothing.
  bool Write(const uint8_t* data, size_t n);
  // Writes n zero bytes.
  bool WriteZeros(uint64_t n);
  // Hands the buffered bytes to the operating system (no sync to the disk).
  bool Flush();
  // Bytes written through this writer so far, buffered ones included.
  uint64_t written() const { return written_; }

 private:
  File& file_;
  std::unique_ptr<uint8_t[]> buffer_;
  size_t used_ = 0;
  uint64_t written_ = 0;
  bool failed_ = false;
};

}  // namespace tessaro

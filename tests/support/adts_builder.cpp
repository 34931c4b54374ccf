#include "tests/support/adts_builder.h"

#include <algorithm>

namespace tessaro::testing {
namespace {

// Appends bit fields, most significant bit first.
class BitWriter {
 public:
  void Put(int bits, uint32_t value) {
    for (int i = bits - 1; i >= 0; --i) {
      if (count_ % 8 == 0) bytes_.push_back(0);
      if ((value >> i) & 1u) bytes_.back() = static_cast<uint8_t>(bytes_.back() | (0x80u >> (count_ % 8)));
      ++count_;
    }
  }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
  size_t count_ = 0;
};

}  // namespace

Bytes AdtsHeaderBytes(const AdtsFields& f) {
  BitWriter w;
  w.Put(12, f.syncword);
  w.Put(1, f.id);
  w.Put(2, f.layer);
  w.Put(1, f.protection_absent);
  w.Put(2, f.profile);
  w.Put(4, f.sampling_frequency_index);
  w.Put(1, f.private_bit);
  w.Put(3, f.channel_configuration);
  w.Put(1, f.original_copy);
  w.Put(1, f.home);
  w.Put(1, f.copyright_identification_bit);
  w.Put(1, f.copyright_identification_start);
  w.Put(13, f.frame_length);
  w.Put(11, f.adts_buffer_fullness);
  w.Put(2, f.number_of_raw_data_blocks_in_frame);
  return w.Take();
}

Bytes AdtsFrame(const AdtsFields& fields, uint8_t seed) {
  Bytes frame = AdtsHeaderBytes(fields);
  for (size_t i = 7; i < fields.frame_length; ++i) {
    frame.push_back(static_cast<uint8_t>((seed + i) % 0xFF));
  }
  return frame;
}

AdtsStream& AdtsStream::Frame(const AdtsFields& fields, uint8_t seed) {
  Bytes frame = AdtsFrame(fields, seed);
  bytes_.insert(bytes_.end(), frame.begin(), frame.end());
  frames_.push_back(std::move(frame));
  return *this;
}

AdtsStream& AdtsStream::Frames(size_t count, const AdtsFields& fields, uint8_t firstSeed) {
  for (size_t i = 0; i < count; ++i) Frame(fields, static_cast<uint8_t>(firstSeed + i));
  return *this;
}

AdtsStream& AdtsStream::Junk(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

AdtsStream& AdtsStream::Junk(size_t count, uint8_t value) { return Junk(Bytes(count, value)); }

AdtsStream& AdtsStream::Append(const AdtsStream& other) {
  bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
  frames_.insert(frames_.end(), other.frames_.begin(), other.frames_.end());
  return *this;
}

AdtsStream& AdtsStream::Insert(size_t offset, const Bytes& bytes) {
  bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.begin(), bytes.end());
  return *this;
}

AdtsStream& AdtsStream::CutEnd(size_t count) {
  bytes_.resize(bytes_.size() - std::min(count, bytes_.size()));
  return *this;
}

}  // namespace tessaro::testing

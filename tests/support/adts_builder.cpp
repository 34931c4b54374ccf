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

Checksum WordChecksum(const Bytes& frame) {
  Checksum c;
  for (size_t i = 0; i < frame.size(); i += 2) {
    const uint16_t high = i + 1 < frame.size() ? frame[i + 1] : 0;
    const uint16_t word = static_cast<uint16_t>(frame[i] | high << 8);
    c.sum = static_cast<uint16_t>(c.sum + word);
    c.exclusiveOr = static_cast<uint16_t>(c.exclusiveOr ^ word);
  }
  return c;
}

Bytes ExpectedBlock(const Bytes& frame, size_t declaredLength, size_t blockSize) {
  Bytes whole(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(std::min(frame.size(), declaredLength)));
  whole.resize(declaredLength, 0);  // missing bytes of a cut-short frame count as zeros
  const Checksum c = WordChecksum(whole);
  Bytes block = {0, 0, 0, 0, 0x72, 0xF8, 0x1F, 0x4E, 0x07, 0x01, 0x00, 0x00};
  block.insert(block.end(), whole.begin(), whole.end());
  PutLe16(block, c.sum);
  PutLe16(block, c.exclusiveOr);
  block.insert(block.end(), 8, 0);
  block.insert(block.end(), {'E', 'N', 'D'});
  block.resize(blockSize, 0);
  return block;
}

void PutLe16(Bytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLe32(Bytes& out, uint32_t v) {
  PutLe16(out, v);
  PutLe16(out, v >> 16);
}

uint32_t GetLe32(const Bytes& in, size_t at) {
  return uint32_t{in.at(at)} | uint32_t{in.at(at + 1)} << 8 | uint32_t{in.at(at + 2)} << 16 |
         uint32_t{in.at(at + 3)} << 24;
}

Bytes WavHeaderBytes(const WavHeaderFields& f) {
  Bytes h;
  h.insert(h.end(), f.riff.begin(), f.riff.end());
  PutLe32(h, f.riffSize);
  h.insert(h.end(), f.wave.begin(), f.wave.end());
  h.insert(h.end(), f.fmt.begin(), f.fmt.end());
  PutLe32(h, f.fmtSize);
  PutLe16(h, f.formatTag);
  PutLe16(h, f.channels);
  PutLe32(h, f.sampleRate);
  PutLe32(h, f.byteRate);
  PutLe16(h, f.blockAlign);
  PutLe16(h, f.bitsPerSample);
  h.insert(h.end(), f.data.begin(), f.data.end());
  PutLe32(h, f.dataSize);
  return h;
}

Bytes ContainerHeader(bool eightBit, uint32_t dataSize) {
  WavHeaderFields f;
  f.riffSize = dataSize + 36;
  f.byteRate = eightBit ? 96000 : 192000;
  f.blockAlign = eightBit ? 2 : 4;
  f.bitsPerSample = eightBit ? 8 : 16;
  f.dataSize = dataSize;
  return WavHeaderBytes(f);
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace tessaro::testing

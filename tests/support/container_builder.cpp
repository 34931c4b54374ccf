#include "tests/support/container_builder.h"

#include <algorithm>
#include <iterator>

namespace tessaro::testing {

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

Bytes ExpectedBlock(const Bytes& frame, size_t declaredLength, size_t blockSize,
                    BlockFlavour flavour) {
  Bytes whole(declaredLength, 0);  // missing bytes of a cut-short frame count as zeros
  std::copy_n(frame.begin(), std::min(frame.size(), declaredLength), whole.begin());
  const Checksum c = WordChecksum(whole);
  // Laid out in a buffer large enough for the whole trailer, then cut to the
  // block size (an 8-bit block can end inside a long frame's trailer).
  Bytes block(std::max(blockSize, 27 + declaredLength), 0);
  const uint8_t classic[] = {0x72, 0xF8, 0x1F, 0x4E, 0x07, 0x01, 0x00, 0x00};
  const uint8_t editors[] = {'T', 'S', 'R', 'A', 'D', 'T', 'S', 0x01};
  const uint8_t* preamble = flavour == BlockFlavour::kEditors ? editors : classic;
  std::copy(preamble, preamble + 8, block.begin() + 4);
  std::copy(whole.begin(), whole.end(), block.begin() + 12);
  const size_t trailer = 12 + declaredLength;
  block[trailer] = static_cast<uint8_t>(c.sum);
  block[trailer + 1] = static_cast<uint8_t>(c.sum >> 8);
  block[trailer + 2] = static_cast<uint8_t>(c.exclusiveOr);
  block[trailer + 3] = static_cast<uint8_t>(c.exclusiveOr >> 8);
  block[trailer + 12] = 'E';
  block[trailer + 13] = 'N';
  block[trailer + 14] = 'D';
  block.resize(blockSize);
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

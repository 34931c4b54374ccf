#pragma once
// The WAV container bytes that ADTS frames should turn into, computed here
// independently of the engine, and little helpers for building files.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "engine/block_flavour.h"

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

struct Checksum {
  uint16_t sum = 0;
  uint16_t exclusiveOr = 0;
};
// Sum and exclusive-or of the little-endian 16-bit words of the bytes, an odd
// last byte standing alone as the low byte of its word.
Checksum WordChecksum(const Bytes& frame);

// The block a frame of frame_length `declaredLength` occupies in the data
// chunk, `blockSize` bytes (4096 or 2048): 4 zeros, the flavour's preamble,
// the frame (its missing tail as zeros when `frame` is shorter), the
// checksum, 8 zeros, "END", zeros. Anything past blockSize is cut off.
Bytes ExpectedBlock(const Bytes& frame, size_t declaredLength, size_t blockSize,
                    BlockFlavour flavour = BlockFlavour::kClassic);
inline Bytes ExpectedBlock(const Bytes& frame, size_t blockSize,
                           BlockFlavour flavour = BlockFlavour::kClassic) {
  return ExpectedBlock(frame, frame.size(), blockSize, flavour);
}

// Both flavours, and the name a parameterised test gives each.
inline constexpr BlockFlavour kBothFlavours[] = {BlockFlavour::kClassic, BlockFlavour::kEditors};
inline std::string FlavourName(BlockFlavour flavour) {
  return flavour == BlockFlavour::kClassic ? "classic" : "editors";
}

// Every field of a canonical 44-byte PCM WAV header.
struct WavHeaderFields {
  std::string riff = "RIFF";
  uint32_t riffSize = 0;
  std::string wave = "WAVE";
  std::string fmt = "fmt ";
  uint32_t fmtSize = 16;
  uint16_t formatTag = 1;          // PCM
  uint16_t channels = 2;
  uint32_t sampleRate = 48000;
  uint32_t byteRate = 192000;
  uint16_t blockAlign = 4;         // bytes per sample frame
  uint16_t bitsPerSample = 16;
  std::string data = "data";
  uint32_t dataSize = 0;
};
Bytes WavHeaderBytes(const WavHeaderFields& fields);
// The header the converter writes for a data chunk of dataSize bytes.
Bytes ContainerHeader(bool eightBit, uint32_t dataSize);

// Little-endian helpers.
void PutLe16(Bytes& out, uint32_t v);
void PutLe32(Bytes& out, uint32_t v);
uint32_t GetLe32(const Bytes& in, size_t at);

// Concatenates byte vectors.
Bytes Cat(std::initializer_list<Bytes> parts);

}  // namespace tessaro::testing

namespace tessaro {
// For a test's parameter: its name, not its byte.
inline void PrintTo(BlockFlavour flavour, std::ostream* os) { *os << testing::FlavourName(flavour); }
}  // namespace tessaro

#pragma once
// ADTS frames and streams for tests, built field by field, and the WAV
// container bytes they should turn into, computed here independently of the
// engine.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

// Every field of the seven-byte ADTS header (no CRC), in stream order. The
// defaults describe a stereo 48 kHz AAC LC frame; frame_length must be set.
struct AdtsFields {
  uint32_t syncword = 0xFFF;                       // 12 bits, all ones
  uint32_t id = 1;                                 // 1 bit: 1 MPEG-2, 0 MPEG-4
  uint32_t layer = 0;                              // 2 bits, always 00
  uint32_t protection_absent = 1;                  // 1 bit: 0 means a CRC follows
  uint32_t profile = 1;                            // 2 bits: 1 is AAC LC
  uint32_t sampling_frequency_index = 3;           // 4 bits: 3 is 48000 Hz
  uint32_t private_bit = 0;                        // 1 bit
  uint32_t channel_configuration = 2;              // 3 bits
  uint32_t original_copy = 0;                      // 1 bit
  uint32_t home = 0;                               // 1 bit
  uint32_t copyright_identification_bit = 0;       // 1 bit
  uint32_t copyright_identification_start = 0;     // 1 bit
  uint32_t frame_length = 0;                       // 13 bits, whole frame, header included
  uint32_t adts_buffer_fullness = 0x7FF;           // 11 bits, 0x7FF: variable rate
  uint32_t number_of_raw_data_blocks_in_frame = 0; // 2 bits, one block less than there are
};

// The seven header bytes.
Bytes AdtsHeaderBytes(const AdtsFields& fields);

// A whole frame: the header, then frame_length - 7 payload bytes following a
// pattern that starts at `seed` and never holds 0xFF (so a payload never
// looks like the start of a frame).
Bytes AdtsFrame(const AdtsFields& fields, uint8_t seed = 0);

// A byte stream assembled from frames and junk; remembers the frames.
class AdtsStream {
 public:
  // Appends one frame.
  AdtsStream& Frame(const AdtsFields& fields, uint8_t seed = 0);
  // Appends count frames with seeds firstSeed, firstSeed + 1, ... so that
  // neighbouring frames differ.
  AdtsStream& Frames(size_t count, const AdtsFields& fields, uint8_t firstSeed = 0);
  // Appends bytes that are not part of any frame.
  AdtsStream& Junk(const Bytes& bytes);
  AdtsStream& Junk(size_t count, uint8_t value = 0x55);
  // Appends another stream (its frames too).
  AdtsStream& Append(const AdtsStream& other);
  // Inserts bytes at a stream offset (the frame list is not changed).
  AdtsStream& Insert(size_t offset, const Bytes& bytes);
  // Drops the last count bytes (the frame list is not changed).
  AdtsStream& CutEnd(size_t count);

  const Bytes& bytes() const { return bytes_; }
  size_t size() const { return bytes_.size(); }
  // The frames appended, whole, in order.
  const std::vector<Bytes>& frames() const { return frames_; }

 private:
  Bytes bytes_;
  std::vector<Bytes> frames_;
};

// --- The container side ---------------------------------------------------

struct Checksum {
  uint16_t sum = 0;
  uint16_t exclusiveOr = 0;
};
// Sum and exclusive-or of the little-endian 16-bit words of the bytes, an odd
// last byte standing alone as the low byte of its word.
Checksum WordChecksum(const Bytes& frame);

// The block a frame of frame_length `declaredLength` occupies in the data
// chunk, `blockSize` bytes (4096 or 2048): 4 zeros, the preamble, the frame
// (its missing tail as zeros when `frame` is shorter), the checksum, 8 zeros,
// "END", zeros. Anything past blockSize is cut off.
Bytes ExpectedBlock(const Bytes& frame, size_t declaredLength, size_t blockSize);
inline Bytes ExpectedBlock(const Bytes& frame, size_t blockSize) {
  return ExpectedBlock(frame, frame.size(), blockSize);
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

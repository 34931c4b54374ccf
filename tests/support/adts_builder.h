#pragma once
// ADTS frames and streams for tests, built field by field.

#include <cstddef>
#include <cstdint>
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

}  // namespace tessaro::testing

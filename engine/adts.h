#pragma once
// ADTS frame headers, the sampling-frequency and silent-frame tables, and the
// scanner that walks an ".aac" file frame by frame.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_io.h"
#include "engine/read_window.h"

namespace tessaro {

inline constexpr size_t kAdtsHeaderSize = 7;
// The sync test looks at the first two bytes; frame_length ends in the sixth.
inline constexpr size_t kAdtsSyncSize = 2;
inline constexpr size_t kAdtsBytesForLength = 6;
// Longest frame accepted in the middle of a stream; only a last frame may be longer.
inline constexpr uint32_t kMaxFrameLength = 2040;
inline constexpr uint32_t kMinFrameLength = 8;

// The header fields the engine reads; the rest of the seven bytes travel untouched.
struct AdtsHeader {
  uint8_t id = 0;                      // MPEG version bit, not checked
  uint8_t protection_absent = 0;       // 0: a CRC follows, carried as payload
  uint8_t sampling_frequency_index = 0;
  uint8_t channel_configuration = 0;
  uint32_t frame_length = 0;           // whole frame, header included
};

// Two bytes that can start a frame: syncword and layer 00, ID and
// protection_absent free.
constexpr bool IsAdtsSync(uint8_t b0, uint8_t b1) { return b0 == 0xFF && (b1 & 0xF6) == 0xF0; }

// Reads the fields from the first seven bytes of a frame; test IsAdtsSync first.
AdtsHeader ParseAdtsHeader(const uint8_t* header);

// Indexed by sampling_frequency_index; 12..15 are reserved and give 0.
extern const std::array<uint32_t, 16> kSamplingFrequencies;

// One silent 48 kHz frame per channel_configuration: byte 0 is the frame's
// length (0: no template), then the frame.
inline constexpr size_t kSilentFrameEntrySize = 40;
extern const std::array<std::array<uint8_t, kSilentFrameEntrySize>, 7> kSilentFrames;

// The silent frame for a stream, or nullptr where none fits (not 48 kHz, or a
// channel configuration without a template). *length receives its size.
const uint8_t* SilentFrameFor(uint32_t samplingFrequency, uint8_t channelConfiguration,
                              size_t* length);

// Where a damaged region starts: its play time in the output and the input
// file offset at which the scanner lost the stream.
struct DamagePlace {
  double seconds = 0;  // not finite for a sampling-frequency index of 12..15
  uint64_t offset = 0;
};

// Walks an ADTS file through one fixed read window, accepting frames that are
// followed by another frame (or end the file), resynchronising byte by byte
// after damage and recording each damaged region once with its play time.
class AdtsScanner {
 public:
  static constexpr uint32_t kMaxListedAnomalies = 10;

  struct Frame {
    AdtsHeader header;
    const uint8_t* bytes = nullptr;  // header and payload, contiguous, valid until Next()
    uint32_t presentLength = 0;      // bytes the file holds (less than frame_length
                                     // only for a last frame the file cuts short)
  };

  enum class Status { kFrame, kEnd, kReadError };

  // maxLastFrameLength bounds a last frame, which is otherwise accepted at any
  // declared length; a longer one is treated as damage.
  AdtsScanner(File& input, uint64_t inputLength, uint32_t maxLastFrameLength);

  // Finds the next accepted frame. frameSlotCount (slots accounted in the
  // output so far) times any damage recorded on the way.
  Status Next(uint64_t frameSlotCount, Frame* frame);
  // The consumer has written the frame: the stream position moves past it.
  void FrameDone() { offset_ += lastFrameLength_; }

  uint64_t offset() const { return offset_; }
  // Of the last accepted frame (48000 Hz before any): the time base of the
  // damage times and of the report's play time.
  uint8_t acceptedIndex() const { return acceptedIndex_; }
  bool inAnomalyRun() const { return inAnomalyRun_; }
  // Called when a frame slot has been written in full (twice): the next
  // failure starts a new damaged region.
  void EndAnomalyRun() { inAnomalyRun_ = false; }
  uint32_t anomalyCount() const { return anomalyCount_; }
  // The first kMaxListedAnomalies regions.
  const std::vector<DamagePlace>& damagePlaces() const { return damagePlaces_; }

 private:
  void RecordAnomaly(uint64_t frameSlotCount, uint64_t offset);
  void Resynchronise(uint32_t candidatePos, uint64_t candidateOffset);

  ReadWindow window_;
  uint64_t inputLength_;
  uint32_t maxLastFrameLength_;
  bool started_ = false;
  uint64_t offset_ = 0;
  uint32_t lastFrameLength_ = 0;
  // Of the last accepted frame: times use it, so that a false header met
  // while searching (a 96 kHz one, say) cannot move a time backwards.
  uint8_t acceptedIndex_ = 3;
  bool inAnomalyRun_ = false;
  uint32_t anomalyCount_ = 0;
  std::vector<DamagePlace> damagePlaces_;
  std::array<uint8_t, kAdtsHeaderSize> headerBytes_{};
};

}  // namespace tessaro

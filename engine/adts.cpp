// ADTS header fields, the frequency and silent-frame tables, and the frame-by-frame scanner.

#include "engine/adts.h"

#include <algorithm>
#include <cstring>

#include "engine/report_text.h"

namespace tessaro {

const std::array<uint32_t, 16> kSamplingFrequencies = {
    96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050,
    16000, 12000, 11025, 8000,  0,     0,     0,     0};

const std::array<std::array<uint8_t, kSilentFrameEntrySize>, 7> kSilentFrames = {{
    {16, 0xFF, 0xF9, 0x4C, 0x00, 0x02, 0x1F, 0xFC, 0x21, 0x00, 0x49, 0x90, 0x02, 0x19, 0x00,
     0x23, 0x80},
    {13, 0xFF, 0xF9, 0x4C, 0x40, 0x01, 0xBF, 0xFC, 0x00, 0xC8, 0x40, 0x80, 0x23, 0x80},
    {16, 0xFF, 0xF9, 0x4C, 0x80, 0x02, 0x1F, 0xFC, 0x21, 0x00, 0x49, 0x90, 0x02, 0x19, 0x00,
     0x23, 0x80},
    {0},
    {0},
    {0},
    {33, 0xFF, 0xF9, 0x4D, 0x80, 0x04, 0x3F, 0xFC, 0x00, 0xC8, 0x00, 0x80, 0x20, 0x84, 0x01,
     0x26, 0x40, 0x08, 0x64, 0x00, 0x82, 0x30, 0x04, 0x99, 0x00, 0x21, 0x90, 0x02, 0x18, 0x32,
     0x00, 0x20, 0x08, 0xE0},
}};

AdtsHeader ParseAdtsHeader(const uint8_t* h) {
  AdtsHeader header;
  header.id = static_cast<uint8_t>((h[1] >> 3) & 0x01);
  header.protection_absent = static_cast<uint8_t>(h[1] & 0x01);
  header.sampling_frequency_index = static_cast<uint8_t>((h[2] >> 2) & 0x0F);
  header.channel_configuration = static_cast<uint8_t>(((h[2] & 0x01) << 2) | (h[3] >> 6));
  header.frame_length =
      (static_cast<uint32_t>(h[3] & 0x03) << 11) | (static_cast<uint32_t>(h[4]) << 3) | (h[5] >> 5);
  return header;
}

const uint8_t* SilentFrameFor(uint32_t samplingFrequency, uint8_t channelConfiguration,
                              size_t* length) {
  if (samplingFrequency != 48000 || channelConfiguration >= kSilentFrames.size()) return nullptr;
  const auto& entry = kSilentFrames[channelConfiguration];
  if (entry[0] == 0) return nullptr;
  *length = entry[0];
  return entry.data() + 1;
}

AdtsScanner::AdtsScanner(File& input, uint64_t inputLength, uint32_t maxLastFrameLength)
    : window_(input, 0, inputLength),
      inputLength_(inputLength),
      maxLastFrameLength_(maxLastFrameLength) {}

void AdtsScanner::RecordAnomaly(uint64_t frameSlotCount, uint64_t offset) {
  if (inAnomalyRun_) return;  // one entry per damaged region
  if (anomalyCount_ < kMaxListedAnomalies) {
    const uint32_t slot = static_cast<uint32_t>(frameSlotCount);
    damagePlaces_.push_back({PlayTimeSeconds(slot, kSamplingFrequencies[acceptedIndex_]), offset});
  }
  ++anomalyCount_;
  inAnomalyRun_ = true;
}

void AdtsScanner::Resynchronise(uint32_t candidatePos, uint64_t candidateOffset) {
  window_.pos = candidatePos + 2;
  offset_ = candidateOffset + 2;
  const uint8_t* w = window_.data();
  // Never looks past the last buffered byte: that byte is carried into the
  // next window, where the search goes on.
  while (window_.pos + 1 < window_.fill() && !IsAdtsSync(w[window_.pos], w[window_.pos + 1])) {
    ++window_.pos;
    ++offset_;
  }
}

AdtsScanner::Status AdtsScanner::Next(uint64_t frameSlotCount, Frame* frame) {
  for (;;) {
    if (!started_) {
      started_ = true;
      if (!window_.Refill(0)) return Status::kReadError;
    } else if (window_.pos >= window_.fill()) {
      return Status::kEnd;
    } else if (window_.pos > ReadWindow::kRefillThreshold) {
      if (!window_.Refill(window_.pos)) return Status::kReadError;
    }

    const uint32_t candidatePos = window_.pos;
    const uint64_t candidateOffset = offset_;
    const uint32_t copied = std::min<uint32_t>(kAdtsHeaderSize, window_.fill() - window_.pos);
    std::memcpy(headerBytes_.data(), window_.data() + window_.pos, copied);
    window_.pos += copied;

    if (copied < kAdtsHeaderSize) {
      // Too short to hold a header: the tail of the input counts as damage.
      RecordAnomaly(frameSlotCount, candidateOffset);
      continue;
    }
    if (!IsAdtsSync(headerBytes_[0], headerBytes_[1])) {
      RecordAnomaly(frameSlotCount, candidateOffset);
      Resynchronise(candidatePos, candidateOffset);
      continue;
    }

    const AdtsHeader header = ParseAdtsHeader(headerBytes_.data());
    const uint32_t length = header.frame_length;
    const uint8_t* w = window_.data();

    bool accepted;
    if (candidateOffset + length >= inputLength_) {
      // The last frame: taken whatever follows, as long as its block can hold it.
      accepted = length <= maxLastFrameLength_;
    } else {
      const uint64_t next = uint64_t{candidatePos} + length;
      accepted = length >= kMinFrameLength && length <= kMaxFrameLength &&
                 next + 1 < window_.fill() && IsAdtsSync(w[next], w[next + 1]);
    }
    if (!accepted) {
      RecordAnomaly(frameSlotCount, candidateOffset);
      Resynchronise(candidatePos, candidateOffset);
      continue;
    }

    uint32_t payload = length > kAdtsHeaderSize ? length - static_cast<uint32_t>(kAdtsHeaderSize) : 0;
    if (window_.fill() - window_.pos < payload && !window_.exhausted()) {
      // A long last frame runs past the window: bring all of it in.
      if (!window_.Refill(candidatePos)) return Status::kReadError;
      window_.pos = static_cast<uint32_t>(kAdtsHeaderSize);
    }
    const uint32_t start = window_.pos - static_cast<uint32_t>(kAdtsHeaderSize);
    payload = std::min(payload, window_.fill() - window_.pos);
    window_.pos += payload;
    lastFrameLength_ = length;
    acceptedIndex_ = header.sampling_frequency_index;
    frame->header = header;
    frame->bytes = window_.data() + start;
    frame->presentLength = std::min<uint32_t>(length, static_cast<uint32_t>(kAdtsHeaderSize) + payload);
    return Status::kFrame;
  }
}

}  // namespace tessaro

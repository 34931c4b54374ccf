#pragma once
// The two kinds of frame block a container may hold. They differ only in the
// block's 8-byte preamble; the layout, the checksum and the end mark are the
// same.

#include <cstdint>

namespace tessaro {

enum class BlockFlavour : uint8_t {
  // The preamble written since the first version, which readers of
  // IEC 61937 (libavformat, S/PDIF receivers) take for an AAC burst.
  kClassic,
  // A preamble no such reader takes for anything but PCM, so that editors
  // built on them keep the samples as they are.
  kEditors,
};

// Which flavours of block a container held: the blocks of the frames taken
// (WAV to AAC), or the blocks written (AAC to WAV).
enum class FlavoursSeen : uint8_t {
  kNone = 0,
  kClassic = 1,
  kEditors = 2,
  kMixed = 3,  // both: pieces written at different times, joined
};

inline FlavoursSeen WithFlavour(FlavoursSeen seen, BlockFlavour flavour) {
  return static_cast<FlavoursSeen>(static_cast<uint8_t>(seen) | 1u << static_cast<uint8_t>(flavour));
}

}  // namespace tessaro

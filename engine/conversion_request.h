#pragma once
// The request of one conversion: its paths, size choice, delay, block flavour
// and text language.

#include <cstdint>
#include <string>

#include "engine/block_flavour.h"
#include "engine/direction.h"
#include "engine/language.h"

namespace tessaro {

// Filled by the Convert command from the front end's fields and handed to a
// conversion by value. Paths are UTF-8 byte strings.
struct ConversionRequest {
  std::string inputPath;
  std::string outputPath;
  int outputSize = 0;    // 0: 16-bit container ("1/1"), any other value: 8-bit ("1/2")
  int32_t delayMs = 0;   // AAC to WAV only: positive shifts the stream later
  // Of the reports and messages; no default, so that every caller says which.
  Language language;
  // The delay is the one the input's name states, not an option's: a message
  // about it says so, and that only a new name changes it.
  bool delayFromName = false;
  // AAC to WAV: the preamble of the blocks written. (WAV to AAC reads both.)
  BlockFlavour blockFlavour = BlockFlavour::kClassic;
  // How this front end's user asks for the editors' flavour, in the words
  // the warning about a WAV without frames gives as its remedy; empty: the
  // console option.
  std::string editorsChoice{};
  // The direction, where the input path cannot tell it (a stream that has no
  // name); kNone: the input path's ending tells it.
  Direction direction = Direction::kNone;
};

// The direction of the request: its own, else the input path's.
inline Direction DirectionOf(const ConversionRequest& request) {
  return request.direction != Direction::kNone ? request.direction
                                               : DirectionOf(request.inputPath);
}

}  // namespace tessaro

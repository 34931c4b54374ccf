#pragma once
// Which way a file is converted, told by the last four bytes of its path.

#include <string_view>

namespace tessaro {

enum class Direction {
  kNone,      // neither ending: the path is refused
  kAacToWav,  // ".aac"
  kWavToAac,  // ".wav"
};

// Exact and case-sensitive: ".AAC" or ".aac " is no ending of either kind.
constexpr Direction DirectionOf(std::string_view path) {
  if (path.ends_with(".aac")) return Direction::kAacToWav;
  if (path.ends_with(".wav")) return Direction::kWavToAac;
  return Direction::kNone;
}

}  // namespace tessaro

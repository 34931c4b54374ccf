// The proposed output path and delay for an input path.

#include "naming/output_path.h"

#include <string_view>
#include <utility>

#include "engine/direction.h"
#include "naming/delay_tag.h"

namespace tessaro {
namespace {

// The path cut in front of its last `separator` byte, followed by `ending`.
// Only called when the path is known to hold that byte. '.' and '_' are ASCII,
// so in UTF-8 they never occur inside a multi-byte character.
std::string ReplaceFrom(const std::string& path, char separator, std::string_view ending) {
  std::string out = path.substr(0, path.rfind(separator));
  out += ending;
  return out;
}

}  // namespace

OutputProposal DeriveOutputPath(const std::string& inputPath) {
  OutputProposal proposal;
  switch (DirectionOf(inputPath)) {
    case Direction::kAacToWav: {
      DelayTagResult tag = ParseDelayTag(ReplaceFrom(inputPath, '.', "_aac.wav"));
      proposal.outputPath = std::move(tag.outputPath);
      proposal.delayMs = tag.delayMs;
      proposal.setsDelay = true;
      break;
    }
    case Direction::kWavToAac:
      // A name this program gave ("song_aac.wav") goes back to its own stem.
      proposal.outputPath = ReplaceFrom(inputPath, inputPath.ends_with("_aac.wav") ? '_' : '.',
                                        "_out.aac");
      break;
    case Direction::kNone:
      break;
  }
  return proposal;
}

}  // namespace tessaro

// The proposed output path and delay for an input path.

#include "naming/output_path.h"

#include <string_view>
#include <utility>

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
  if (inputPath.ends_with(".aac")) {
    DelayTagResult tag = ParseDelayTag(ReplaceFrom(inputPath, '.', "_aac.wav"));
    proposal.outputPath = std::move(tag.outputPath);
    proposal.delayMs = tag.delayMs;
    proposal.setsDelay = true;
  } else if (inputPath.ends_with("_aac.wav")) {
    proposal.outputPath = ReplaceFrom(inputPath, '_', "_out.aac");
  } else if (inputPath.ends_with(".wav")) {
    proposal.outputPath = ReplaceFrom(inputPath, '.', "_out.aac");
  }
  return proposal;
}

}  // namespace tessaro

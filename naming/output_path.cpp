#include "naming/output_path.h"

#include <string_view>
#include <utility>

#include "naming/delay_tag.h"

namespace tessaro {
namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

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
  if (EndsWith(inputPath, ".aac")) {
    DelayTagResult tag = ParseDelayTag(ReplaceFrom(inputPath, '.', "_aac.wav"));
    proposal.outputPath = std::move(tag.outputPath);
    proposal.delayMs = tag.delayMs;
    proposal.setsDelay = true;
  } else if (EndsWith(inputPath, "_aac.wav")) {
    proposal.outputPath = ReplaceFrom(inputPath, '_', "_out.aac");
  } else if (EndsWith(inputPath, ".wav")) {
    proposal.outputPath = ReplaceFrom(inputPath, '.', "_out.aac");
  }
  return proposal;
}

}  // namespace tessaro

// Reading a command-line run's tokens into a conversion request.
#include "frontend/command_tokens.h"

#include <cstdint>
#include <string_view>

#include "naming/delay_tag.h"
#include "naming/output_path.h"

namespace tessaro {

CommandTokens ReadCommandTokens(const std::vector<std::string>& tokens,
                                const ConversionRequest& start) {
  CommandTokens read{start, 0};
  ConversionRequest& request = read.request;
  int32_t pendingDelay = 0;
  for (const std::string& token : tokens) {
    if (token == "-s1") {
      request.outputSize = 0;
    } else if (token == "-s2") {
      request.outputSize = 1;
    } else if (token.starts_with("-d")) {
      pendingDelay = ReadDelayNumber(std::string_view(token).substr(2));
    } else if (token.starts_with("-")) {
      // Other "-s" tokens and unknown options are ignored.
    } else if (read.pathCount == 0) {
      ++read.pathCount;
      request.inputPath = token;
      const OutputProposal proposal = DeriveOutputPath(token);
      request.outputPath = proposal.outputPath;
      if (proposal.setsDelay) request.delayMs = proposal.delayMs;
    } else if (read.pathCount == 1) {
      ++read.pathCount;
      request.outputPath = token;
    }
  }
  if (pendingDelay != 0) request.delayMs = pendingDelay;
  return read;
}

}  // namespace tessaro

// Reading a command-line run's tokens into a conversion request.
#include "frontend/command_tokens.h"

#include <cstdint>
#include <string_view>

#include "naming/delay_tag.h"
#include "naming/output_path.h"

namespace tessaro {

namespace {

// The tokens read one by one; options and paths each keep their order.
class TokenReader {
 public:
  explicit TokenReader(const ConversionRequest& start) : read_{start, 0} {}

  void Option(const std::string& token) {
    if (token == "-s1") {
      read_.request.outputSize = 0;
    } else if (token == "-s2") {
      read_.request.outputSize = 1;
    } else if (token.starts_with("-d")) {
      pendingDelay_ = ReadDelayNumber(std::string_view(token).substr(2));
    }
    // Other "-s" tokens and unknown options are ignored.
  }

  void Path(const std::string& token) {
    ConversionRequest& request = read_.request;
    if (read_.pathCount == 0) {
      ++read_.pathCount;
      request.inputPath = token;
      const OutputProposal proposal = DeriveOutputPath(token);
      request.outputPath = proposal.outputPath;
      if (proposal.setsDelay) request.delayMs = proposal.delayMs;
    } else if (read_.pathCount == 1) {
      ++read_.pathCount;
      request.outputPath = token;
    }
  }

  CommandTokens Finish() {
    if (pendingDelay_ != 0) read_.request.delayMs = pendingDelay_;
    return read_;
  }

 private:
  CommandTokens read_;
  int32_t pendingDelay_ = 0;
};

}  // namespace

CommandTokens ReadCommandTokens(const std::vector<std::string>& tokens,
                                const ConversionRequest& start) {
  TokenReader reader(start);
  for (const std::string& token : tokens) {
    if (token.starts_with("-")) {
      reader.Option(token);
    } else {
      reader.Path(token);
    }
  }
  return reader.Finish();
}

CommandTokens ReadCommandTokens(const std::vector<std::string>& options,
                                const std::vector<std::string>& paths,
                                const ConversionRequest& start) {
  TokenReader reader(start);
  for (const std::string& option : options) reader.Option(option);
  for (const std::string& path : paths) reader.Path(path);
  return reader.Finish();
}

InfoRequest InfoRequestOf(const std::vector<std::string>& tokens) {
  for (const std::string& token : tokens) {
    if (token == "--") break;
    if (token == "--help" || token == "-h") return InfoRequest::kHelp;
    if (token == "--version" || token == "-V") return InfoRequest::kVersion;
  }
  return InfoRequest::kNone;
}

}  // namespace tessaro

// The dialog program's command line split into tokens.
#include "ui/command_line.h"

namespace tessaro {

std::vector<std::string> ScanCommandLine(std::string_view raw) {
  std::vector<std::string> tokens;
  std::string token;
  bool quoted = false;
  auto endToken = [&] {
    if (!token.empty()) tokens.push_back(token);
    token.clear();
  };
  for (char c : raw) {
    if (c == '\0') break;
    if (c == '\t' || (c == ' ' && !quoted)) {
      endToken();
    } else if (c == '"') {
      quoted = !quoted;
    } else {
      token.push_back(c);
    }
  }
  endToken();
  return tokens;
}

CommandLine CommandLineFromRaw(std::string_view raw) {
  CommandLine line;
  line.empty = raw.empty() || raw.front() == '\0';
  line.tokens = ScanCommandLine(raw);
  return line;
}

CommandLine CommandLineFromArgs(int argc, const char* const* argv) {
  CommandLine line;
  line.empty = argc <= 1;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && argv[i][0] != '\0') line.tokens.emplace_back(argv[i]);
  }
  return line;
}

}  // namespace tessaro

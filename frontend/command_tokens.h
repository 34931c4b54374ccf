#pragma once
// The tokens of a command-line run read into one conversion request.

#include <string>
#include <vector>

#include "engine/conversion_request.h"

namespace tessaro {

struct CommandTokens {
  ConversionRequest request;
  int pathCount = 0;  // tokens taken as paths: 0, 1 or 2
};

// Reads the tokens in order, starting from `start` (the values in force
// before the run):
//   - "-s1" selects size index 0, "-s2" index 1, wherever they stand;
//   - "-d<ms>" sets a pending delay, read atoi-style (ReadDelayNumber);
//   - every other token that begins with "-" is ignored;
//   - the first other token is the input: the output path is proposed from
//     it and, for an ".aac" input, the delay its name states;
//   - the second replaces the output path; further ones are ignored.
// A nonzero pending delay then overrides the delay; "-d0" leaves the one of
// the name in force. Tokens are taken as given: an empty one is a path.
CommandTokens ReadCommandTokens(const std::vector<std::string>& tokens,
                                const ConversionRequest& start);

// The same with the options and the paths apart: every path is taken as a
// path, also one that begins with "-" (given after "--").
CommandTokens ReadCommandTokens(const std::vector<std::string>& options,
                                const std::vector<std::string>& paths,
                                const ConversionRequest& start);

// What a program is asked besides a run: the first "--help" / "-h" or
// "--version" / "-V" among the tokens, up to a "--".
enum class InfoRequest { kNone, kHelp, kVersion };
InfoRequest InfoRequestOf(const std::vector<std::string>& tokens);

}  // namespace tessaro

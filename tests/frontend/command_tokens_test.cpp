// The command-line token reader shared by both front ends.
#include "frontend/command_tokens.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {
namespace {

TEST(ReadCommandTokens, TokenListsGiveRequestAndPathCount) {
  struct Case {
    std::vector<std::string> tokens;
    int pathCount;
    const char* input;
    const char* output;
    int outputSize;
    int32_t delayMs;
  } cases[] = {
      {{}, 0, "start.aac", "start_aac.wav", 1, 9},
      {{"-s1", "-d5", "--x"}, 0, "start.aac", "start_aac.wav", 0, 5},
      {{"in.aac"}, 1, "in.aac", "in_aac.wav", 1, 0},
      {{"in.wav"}, 1, "in.wav", "in_out.aac", 1, 9},  // a ".wav" name keeps the delay
      {{"in.mp4"}, 1, "in.mp4", "", 1, 9},
      {{"-s2", "in.aac"}, 1, "in.aac", "in_aac.wav", 1, 0},
      {{"in.aac", "-s1"}, 1, "in.aac", "in_aac.wav", 0, 0},  // holds wherever it stands
      {{"-s2", "-s1", "-s3", "-sx", "in.aac"}, 1, "in.aac", "in_aac.wav", 0, 0},
      {{"in.aac", "out.wav", "third.aac"}, 2, "in.aac", "out.wav", 1, 0},
      {{"x DELAY 10ms.aac"}, 1, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 10},
      {{"x DELAY 10ms.aac", "o.wav"}, 2, "x DELAY 10ms.aac", "o.wav", 1, 10},
      {{"-d48", "x DELAY 10ms.aac"}, 1, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 48},
      {{"x DELAY 10ms.aac", "-d-5"}, 1, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, -5},
      {{"-d0", "x DELAY 10ms.aac"}, 1, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 10},
      {{"-d7", "-d0", "in.aac"}, 1, "in.aac", "in_aac.wav", 1, 0},  // the last -d counts
      {{"-d", "-dx", "-d 7", "in.aac"}, 1, "in.aac", "in_aac.wav", 1, 7},
      {{"-d99999999999", "in.aac"}, 1, "in.aac", "in_aac.wav", 1, INT32_MAX},
      {{"-", "--help", "in.aac"}, 1, "in.aac", "in_aac.wav", 1, 0},
      {{"--lang=en", "in.aac", "--lang=x"}, 1, "in.aac", "in_aac.wav", 1, 0},  // not paths
      {{"", "out.wav"}, 2, "", "out.wav", 1, 9},  // an empty token is a path
  };
  const ConversionRequest start{"start.aac", "start_aac.wav", 1, 9, Language::kJapanese};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tokens.empty() ? "(none)" : c.tokens[0]);
    const CommandTokens read = ReadCommandTokens(c.tokens, start);
    EXPECT_EQ(read.pathCount, c.pathCount);
    EXPECT_EQ(read.request.inputPath, c.input);
    EXPECT_EQ(read.request.outputPath, c.output);
    EXPECT_EQ(read.request.outputSize, c.outputSize);
    EXPECT_EQ(read.request.delayMs, c.delayMs);
  }
  EXPECT_EQ(ReadCommandTokens({"in.aac"}, {"", "", 0, 0, Language::kJapanese}).request.outputSize,
            0);  // an empty start
}

TEST(InfoRequestOf, TheFirstHelpOrVersionTokenBeforeDoubleDash) {
  struct Case {
    std::vector<std::string> tokens;
    InfoRequest expected;
  } const cases[] = {
      {{}, InfoRequest::kNone},
      {{"a.aac", "--help"}, InfoRequest::kHelp},
      {{"-h"}, InfoRequest::kHelp},
      {{"-V", "--help"}, InfoRequest::kVersion},
      {{"--version"}, InfoRequest::kVersion},
      {{"-H", "-v", "--Help", "-help"}, InfoRequest::kNone},
      {{"--", "--help"}, InfoRequest::kNone},  // a file named --help
  };
  for (const Case& c : cases) EXPECT_EQ(InfoRequestOf(c.tokens), c.expected) << c.tokens.size();
}

}  // namespace
}  // namespace tessaro

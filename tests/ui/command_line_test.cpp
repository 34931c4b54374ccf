#include "ui/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

using Tokens = std::vector<std::string>;

TEST(ScanCommandLine, SplitsAtBlanksOutsideQuotes) {
  struct Case {
    std::string raw;
    Tokens expected;
  } cases[] = {
      {"-s2 x.aac", {"-s2", "x.aac"}},
      {"\"C:\\My Music\\in put.aac\" \"D:\\out dir\\o.wav\"",
       {"C:\\My Music\\in put.aac", "D:\\out dir\\o.wav"}},
      {"a\"b c\"d", {"ab cd"}},
      {"\"a\tb\"", {"a", "b"}},  // a tab ends a token even inside quotes
      {"a  b ", {"a", "b"}},      // empty tokens are skipped
      {"\"\" x", {"x"}},
      {std::string("a\0b c", 5), {"a"}},  // NUL ends the scan
      {"", {}},
      {"\"unterminated path", {"unterminated path"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ScanCommandLine(c.raw), c.expected) << c.raw;
}

TEST(ScanCommandLine, TakesLongTokensWhole) {
  const std::string longPath = "C:\\" + std::string(400, 'p') + ".aac";
  EXPECT_EQ(ScanCommandLine(longPath + " -s1"), (Tokens{longPath, "-s1"}));
}

TEST(CommandLine, EmptyOnlyWithoutAnyText) {
  EXPECT_TRUE(CommandLineFromRaw("").empty);
  CommandLine quotes = CommandLineFromRaw("\"\"");
  EXPECT_FALSE(quotes.empty);
  EXPECT_TRUE(quotes.tokens.empty());

  const char* none[] = {"tessaro"};
  EXPECT_TRUE(CommandLineFromArgs(1, none).empty);
  const char* args[] = {"tessaro", "my file.aac", "", "\"q\""};
  CommandLine line = CommandLineFromArgs(4, args);
  EXPECT_FALSE(line.empty);
  EXPECT_EQ(line.tokens, (Tokens{"my file.aac", "\"q\""}));
}

}  // namespace
}  // namespace tessaro

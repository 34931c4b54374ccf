// The arguments reader both programs share, and the request it asks for.
#include "frontend/command_tokens.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/start_up.h"

namespace tessaro {
namespace {

TEST(RequestFor, ArgumentsGiveTheRequest) {
  struct Case {
    std::vector<std::string> tokens;
    const char* input;
    const char* output;
    int outputSize;
    int32_t delayMs;
    bool delayFromName;
    BlockFlavour flavour = BlockFlavour::kClassic;
  } cases[] = {
      {{"in.aac"}, "in.aac", "in_aac.wav", 1, 0, false},
      {{"in.wav"}, "in.wav", "in_out.aac", 1, 9, false},  // a ".wav" name keeps the delay
      {{"in.mp4"}, "in.mp4", "", 1, 9, false},
      {{"-s2", "in.aac"}, "in.aac", "in_aac.wav", 1, 0, false},
      {{"in.aac", "-s1"}, "in.aac", "in_aac.wav", 0, 0, false},  // holds wherever it stands
      {{"-s2", "-s1", "in.aac"}, "in.aac", "in_aac.wav", 0, 0, false},
      {{"x DELAY 10ms.aac"}, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 10, true},
      {{"x DELAY 10ms.aac", "o.wav"}, "x DELAY 10ms.aac", "o.wav", 1, 10, true},
      {{"-d48", "x DELAY 10ms.aac"}, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 48, false},
      {{"x DELAY 10ms.aac", "-d-5"}, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, -5, false},
      {{"-d0", "x DELAY 10ms.aac"}, "x DELAY 10ms.aac", "x DELAY 0ms_aac.wav", 1, 10, true},
      {{"-d7", "-d0", "in.aac"}, "in.aac", "in_aac.wav", 1, 0, false},  // the last -d counts
      {{"-d+7", "in.aac"}, "in.aac", "in_aac.wav", 1, 7, false},
      {{"-d99999999999", "in.aac"}, "in.aac", "in_aac.wav", 1, INT32_MAX, false},
      {{"--lang=en", "in.aac", "--lang=ja"}, "in.aac", "in_aac.wav", 1, 0, false},  // not paths
      {{"", "out.wav"}, "", "out.wav", 1, 9, false},  // an empty token is a path
      {{"--", "-x.aac", "--lang=en"}, "-x.aac", "--lang=en", 1, 0, false},
      {{"in.aac", "--for-editors"}, "in.aac", "in_aac.wav", 1, 0, false, BlockFlavour::kEditors},
      {{"--", "in.aac", "--for-editors"}, "in.aac", "--for-editors", 1, 0, false},
  };
  const ConversionRequest start{"start.aac", "start_aac.wav", 1, 9, Language::kJapanese};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tokens[0]);
    const CommandArguments read = ReadDialogArguments(c.tokens);
    ASSERT_EQ(read.usage.failure, Failure::kNone);
    const ConversionRequest request = RequestFor(read.conversion, read.paths, start);
    EXPECT_EQ(request.inputPath, c.input);
    EXPECT_EQ(request.outputPath, c.output);
    EXPECT_EQ(request.outputSize, c.outputSize);
    EXPECT_EQ(request.delayMs, c.delayMs);
    EXPECT_EQ(request.delayFromName, c.delayFromName);
    EXPECT_EQ(request.blockFlavour, c.flavour);
  }
  // The dialog's remembered choice stands where no option asks for one.
  ConversionRequest editors = start;
  editors.blockFlavour = BlockFlavour::kEditors;
  EXPECT_EQ(RequestFor({}, {"in.aac"}, editors).blockFlavour, BlockFlavour::kEditors);
}

// The first slip decides, in each program; the argument at fault is kept as
// given for the message.
TEST(ReadArguments, SlipsAreUsageErrorsInBothPrograms) {
  struct Case {
    std::vector<std::string> tokens;
    Failure console;
    Failure dialog;
    const char* token;
  } const cases[] = {
      {{"-o", "x.wav", "song.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "-o"},
      {{"song.aac", "--bogus"}, Failure::kUnknownOption, Failure::kUnknownOption, "--bogus"},
      {{"-s3", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "-s3"},
      {{"-x", "-d", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "-x"},
      // "-" is standard input or output for the console, no file for the dialog.
      {{"-", "a.aac"}, Failure::kNone, Failure::kUnknownOption, "-"},
      {{"-d", "250", "a.aac"}, Failure::kDelayWithoutNumber, Failure::kDelayWithoutNumber, "-d"},
      {{"-d 7", "a.aac"}, Failure::kDelayWithoutNumber, Failure::kDelayWithoutNumber, "-d 7"},
      {{"-d12ms", "a.aac"}, Failure::kDelayWithoutNumber, Failure::kDelayWithoutNumber, "-d12ms"},
      {{"-d-", "a.aac"}, Failure::kDelayWithoutNumber, Failure::kDelayWithoutNumber, "-d-"},
      // A letter after -d makes another word, not a delay.
      {{"-dry-run", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "-dry-run"},
      {{"--lang=fr", "a.aac"}, Failure::kUnknownLanguage, Failure::kUnknownLanguage, "--lang=fr"},
      {{"--lang=", "a.aac"}, Failure::kUnknownLanguage, Failure::kUnknownLanguage, "--lang="},
      {{"--lang", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "--lang"},
      {{"--for-editors=1", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "--for-editors=1"},
      {{"a.aac", "--out-dir"}, Failure::kOutDirWithoutFolder, Failure::kUnknownOption, "--out-dir"},
      {{"--out-dir=", "a.aac"}, Failure::kOutDirWithoutFolder, Failure::kUnknownOption, "--out-dir="},
      {{"--out-dirs=o", "a.aac"}, Failure::kUnknownOption, Failure::kUnknownOption, "--out-dirs=o"},
      // The console's own options, refused by the dialog program; its folder
      // is not taken for a path.
      {{"--batch", "a.aac"}, Failure::kNone, Failure::kUnknownOption, "--batch"},
      {{"--out-dir", "o", "a.aac"}, Failure::kNone, Failure::kUnknownOption, "--out-dir"},
      {{"--json", "a.aac"}, Failure::kNone, Failure::kUnknownOption, "--json"},
      {{"--", "-x.aac", "-d"}, Failure::kNone, Failure::kNone, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tokens[0] + " " + c.tokens.back());
    const CommandArguments console = ReadArguments(c.tokens, ProgramKind::kConsole);
    const CommandArguments dialog = ReadDialogArguments(c.tokens);
    EXPECT_EQ(console.usage.failure, c.console);
    EXPECT_EQ(dialog.usage.failure, c.dialog);
    EXPECT_EQ(dialog.usage.token, c.token);
    if (c.console != Failure::kNone) {
      EXPECT_EQ(console.usage.token, c.token);
    }
  }
  // The dialog program's form: an input, at most an output.
  EXPECT_EQ(ReadDialogArguments({"a.aac", "b.wav", "c.aac"}).usage.failure, Failure::kTooManyPaths);
  EXPECT_EQ(ReadDialogArguments({"-s2"}).usage.failure, Failure::kNoInputFiles);
  EXPECT_EQ(ReadDialogArguments({}).usage.failure, Failure::kNoInputFiles);
}

// Reading goes on after a slip: the language and a help request are found
// wherever they stand among the options, and never after "--".
TEST(ReadArguments, LanguageAndInfoAreTheOptionsBeforeDoubleDash) {
  struct Case {
    std::vector<std::string> tokens;
    std::optional<Language> language;
    InfoRequest info;
  } const cases[] = {
      {{}, std::nullopt, InfoRequest::kNone},
      {{"--lang=en", "in.aac", "--lang=ja"}, Language::kJapanese, InfoRequest::kNone},
      {{"--lang=ja", "--lang=fr", "--lang=en"}, Language::kEnglish, InfoRequest::kNone},
      {{"--", "--lang=en"}, std::nullopt, InfoRequest::kNone},  // a file named --lang=en
      {{"--lang=en", "--", "--lang=ja"}, Language::kEnglish, InfoRequest::kNone},
      {{"--out-dir", "--lang=en"}, std::nullopt, InfoRequest::kNone},  // the folder's name
      {{"-x", "a.aac", "--help"}, std::nullopt, InfoRequest::kHelp},
      {{"-h"}, std::nullopt, InfoRequest::kHelp},
      {{"-V", "--help"}, std::nullopt, InfoRequest::kVersion},
      {{"--version"}, std::nullopt, InfoRequest::kVersion},
      {{"-H", "-v", "--Help", "-help"}, std::nullopt, InfoRequest::kNone},
      {{"--", "--help"}, std::nullopt, InfoRequest::kNone},  // a file named --help
  };
  for (const Case& c : cases) {
    const CommandArguments read = ReadArguments(c.tokens, ProgramKind::kConsole);
    EXPECT_EQ(read.language, c.language) << c.tokens.size();
    EXPECT_EQ(read.info, c.info) << c.tokens.size();
  }
}

// The dialog program takes out the options that only choose the language,
// but none after "--", where "--lang=en" is a file to convert.
TEST(ReadProgramStart, TheDialogTakesOutItsLanguageOptionsBeforeDoubleDash) {
  struct Case {
    std::vector<std::string> tokens;
    std::vector<std::string> kept;
    bool onlyLanguage;
    Language language;
  } const cases[] = {
      {{"--lang=en"}, {}, true, Language::kEnglish},
      {{"--lang=en", "-s2", "a.aac", "--lang=ja"}, {"-s2", "a.aac"}, false, Language::kJapanese},
      {{"--lang=ja", "--", "--lang=en"}, {"--", "--lang=en"}, false, Language::kJapanese},
      {{"--lang=en", "--lang=fr", "a.aac"}, {"--lang=fr", "a.aac"}, false, Language::kEnglish},
  };
  for (const Case& c : cases) {
    const ProgramStart start = ReadProgramStart(c.tokens, ProgramKind::kDialog);
    EXPECT_EQ(start.tokens, c.kept) << c.tokens.back();
    EXPECT_EQ(start.onlyLanguageTokens, c.onlyLanguage) << c.tokens.back();
    EXPECT_EQ(start.language, c.language) << c.tokens.back();
  }
}

}  // namespace
}  // namespace tessaro

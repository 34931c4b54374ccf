// The command-line run: the window shows, converts once and ends unsaved.
#include <gtest/gtest.h>

#include "frontend/exit_status.h"
#include "tests/ui/dialog_fixture.h"
#include "ui/control_ids.h"

namespace tessaro {
namespace {

using testing::DialogTest;
using testing::FileExists;

CommandLine Args(std::vector<std::string> tokens) { return {false, std::move(tokens)}; }

TEST_F(DialogTest, SizeOptionHoldsWhereverItStands) {
  for (auto tokens : {std::vector<std::string>{"-s2", "x.aac"}, {"x.aac", "-s2"}}) {
    requests.clear();
    ws.endResults.clear();
    Open(Args(tokens));
    dlg->OnPaint();
    ASSERT_EQ(requests.size(), 1u) << tokens[0];
    EXPECT_EQ(requests[0].inputPath, "x.aac");
    EXPECT_EQ(requests[0].outputPath, "x_aac.wav");
    EXPECT_EQ(requests[0].outputSize, 1);
    EXPECT_EQ(ws.endResults, std::vector<int>{kIdCancel});
  }
  EXPECT_FALSE(FileExists(IniPath()));
}

// The editors' choice starts from the saved one, as the size does;
// --for-editors asks for it in this run only: the settings stay as they were.
TEST_F(DialogTest, EditorsOptionOrSavedChoiceWritesTheirBlocks) {
  struct Case {
    const char* saved;
    std::vector<std::string> tokens;
    BlockFlavour flavour;
  } const cases[] = {
      {"", {"x.aac"}, BlockFlavour::kClassic},
      {"", {"x.aac", "--for-editors"}, BlockFlavour::kEditors},
      {"ForEditors=1\n", {"x.aac"}, BlockFlavour::kEditors},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tokens.back());
    testing::WriteFile(IniPath(), c.saved);
    requests.clear();
    Open(Args(c.tokens));
    dlg->OnPaint();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].blockFlavour, c.flavour);
    EXPECT_EQ(testing::ReadFile(IniPath()), c.saved);
  }
}

// Slips such as "-o x.wav song.aac", which once replaced song.aac, convert
// nothing: the error window says why (the program has written it to standard
// error too) and the program ends with the usage status, settings unsaved.
TEST_F(DialogTest, ArgumentsThatFormNoRunConvertNothingAndSayWhy) {
  struct Case {
    std::vector<std::string> tokens;
    std::string message;
  } const cases[] = {
      {{"-s2"}, "入力ファイルの指定がありません。"},
      {{"-o", "x.wav", "song.aac"}, "-o というオプションはありません。"},
      {{"song.aac", "--bogus"}, "--bogus というオプションはありません。"},
      {{"a.aac", "b.wav", "song.aac"},
       "入力ファイルと出力ファイルのほかには、ファイルを指定できません。複数のファイルを変換するときは、"
       "ウィンドウにドロップするか、tessaro-cli --batch を使ってください。"},
      {{"-d", "250", "song.aac"},
       "Delayの指定 -d に、ミリ秒の整数が続いていません。-d120 や -d-120 のように指定してください。"},
      {{"-", "song.aac"},
       "「-」というオプションはありません。標準入力と標準出力は、ファイルの代わりに使えません。"
       "「-」という名前のファイルは、./- と指定してください。"},
      {{"--lang=fr", "song.aac"},
       "--lang=fr という言語の指定はありません。--lang=ja か --lang=en を指定してください。"},
      {{"--batch", "song.aac"}, "--batch は tessaro-cli のオプションです。tessaro では使えません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tokens[0]);
    ws.endResults.clear();
    Open(Args(c.tokens));
    dlg->OnPaint();
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(ws.endResults, std::vector<int>{kIdCancel});
    EXPECT_EQ(dlg->ExitStatus(), kExitUsage);
    EXPECT_EQ(ws.texts[kIdcErrorMessage],
              c.message + "\r\n使い方: tessaro [-s1|-s2] [-d<ms>] [--for-editors] [入力ファイル [出力ファイル]]");
  }
  EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(DialogTest, TwoPathsWithBlanksFromARawCommandLine) {
  Open(CommandLineFromRaw("\"/my music/in put.aac\" \"/out dir/o u t.wav\""));
  dlg->OnPaint();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].inputPath, "/my music/in put.aac");
  EXPECT_EQ(requests[0].outputPath, "/out dir/o u t.wav");
}

TEST_F(DialogTest, DelayOptionOverridesTheNameButZeroKeepsIt) {
  struct Case {
    std::vector<std::string> tokens;
    int32_t delay;
  } cases[] = {
      {{"-d250", "in DELAY 40ms.aac"}, 250},
      {{"in DELAY 40ms.aac", "-d-30"}, -30},
      {{"-d0", "in DELAY 40ms.aac"}, 40},
      {{"-d99999999999", "in.aac"}, INT32_MAX},
  };
  for (const Case& c : cases) {
    requests.clear();
    Open(Args(c.tokens));
    dlg->OnPaint();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].delayMs, c.delay) << c.tokens[0];
  }
}

TEST_F(DialogTest, ExitStatusTellsTheResultLikeTheConsoleProgram) {
  struct Case {
    CommandLine line;
    ConversionResult result;
    int status;
  } cases[] = {
      {{}, {}, 0},                                   // the dialog was used
      {Args({"in.aac"}), {}, 0},                     // converted
      {Args({"in.aac"}), {true, 0, 0, false}, 1},    // failed
      {Args({"in.aac"}), {false, 2, 0, false}, 3},   // damage reported
      {Args({"in.wav"}), {false, 0, 1, false}, 3},   // checksum mismatches
      {Args({"in.wav"}), {false, 0, 0, true}, 3},    // no frame in the WAV
      {Args({"-s2"}), {}, 2},                        // no input named
  };
  for (const Case& c : cases) {
    result = c.result;
    Open(c.line);
    dlg->OnPaint();
    EXPECT_EQ(dlg->ExitStatus(), c.status) << c.status;
  }
}

TEST_F(DialogTest, RunHappensOnceAndNotWithoutCommandLine) {
  Open(Args({"a.aac", "b.wav"}));
  ws.onPump = [this] { dlg->OnPaint(); };  // paints dispatched while converting
  dlg->OnPaint();
  dlg->OnPaint();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].outputPath, "b.wav");
  EXPECT_EQ(ws.endResults.size(), 1u);

  ws.endResults.clear();
  ws.onPump = nullptr;
  Open();
  dlg->OnPaint();
  EXPECT_TRUE(ws.endResults.empty());
}

}  // namespace
}  // namespace tessaro

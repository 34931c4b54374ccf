#include "ui/error_log.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/engine_texts.h"
#include "engine/wav_container.h"
#include "tests/support/temp_dir.h"
#include "tests/support/text_tables.h"
#include "tests/ui/dialog_fixture.h"
#include "tests/ui/fake_window_system.h"
#include "tests/ui/special_files.h"
#include "ui/control_ids.h"
#include "ui/conversion_runner.h"
#include "ui/dialog_texts.h"

namespace tessaro {
namespace {

TEST(LogFileName, DropsDirectoriesAndDrive) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\音楽\\曲.aac", "曲.aac"}, {"曲.aac", "曲.aac"}, {"", ""},
      {"/home/u/曲.aac", "曲.aac"},  {"D:song.aac", "song.aac"}, {"C:\\dir\\", ""},
      {"C:\\ソ表\\能.aac", "能.aac"},  // bytes of these characters never count as '\'
  };
  for (const Case& c : cases) EXPECT_EQ(LogFileName(c.path), c.name) << c.path;
}

TEST(ShortenLogMessage, FillsOneLine) {
  const std::string report =
      "エラー：このAACファイルは正常ではありません。\r\n"
      "大きく音ズレが発生する可能性があります。\r\n\r\n"
      "データ異常が発見された位置↓　(2ヵ所)\r\n"
      "　時間：00:00:01.00\r\n"
      "　時間：00:00:02.50\r\n";
  EXPECT_EQ(ShortenLogMessage(report, Language::kJapanese),
            "エラー：このAACファイルは正常ではありません。"
            "データ異常が発見された位置　(2ヵ所)　時間：00:00:01.00　時間：00:00:02.50");
}

TEST(FormatLogLine, StampNameMessage) {
  const std::tm t = testing::FakeWindowSystem::MakeTime(2024, 3, 9, 7, 5, 2);
  EXPECT_EQ(FormatLogLine(t, "C:\\音楽\\曲.aac", "a\r\nb↓", Language::kJapanese),
            "2024/03/09 07:05:02\t入力ファイル：(曲.aac)\tab\r\n");
  // A name cannot forge a second line or field.
  EXPECT_EQ(FormatLogLine(t, "/u/a\r\nforged line\tb\x7f\x1f.aac", "m", Language::kJapanese),
            "2024/03/09 07:05:02\t入力ファイル：(a\\x0D\\x0Aforged line\\x09b\\x7F\\x1F.aac)\tm\r\n");
}

TEST(AppendLogLine, KeepsExistingContent) {
  testing::TempDir dir;
  const std::string path = dir.File("TSR_ErrorLog.txt");
  testing::WriteFile(path, "old line\r\n");
  ASSERT_TRUE(AppendLogLine(path, "new line\r\n"));
  EXPECT_EQ(testing::ReadFile(path), "old line\r\nnew line\r\n");
}

TEST(AppendLogLine, AFolderOrAPipeIsSkippedWithoutWaiting) {
  testing::TempDir dir;
  for (auto kind : {testing::Special::kFolder, testing::Special::kPipe}) {
    const std::string path = dir.File("log" + std::to_string(static_cast<int>(kind)));
    if (!testing::MakeSpecialFile(path, kind)) continue;
    EXPECT_FALSE(AppendLogLine(path, "line\r\n")) << path;
  }
}

using testing::DialogTest;
using testing::TempDir;

// A WAV that lost its blocks in an editor: the real conversion behind the
// dialog shows the warning in the error window and logs it as one line.
TEST_F(DialogTest, WavWithoutAnyFrameShowsTheWarningAndLogsIt) {
  const auto header = MakeWavHeader(WavFormatForSize(0), 8192, 8192 + 36);
  std::string wav(header.begin(), header.end());
  wav.append(8192, '\x11');  // two blocks of PCM, no frame
  testing::WriteFile(dir.File("edited.wav"), wav);
  dlg = std::make_unique<CTessaroDlg>(ws, CommandLine{}, DefaultConversionRunner(),
                                      Language::kJapanese);
  dlg->OnInitDialog();
  Type(kIdcInFile, dir.File("edited.wav"));
  Type(kIdcOutFile, dir.File("edited_out.aac"));
  dlg->OnConvert();
  // Its remedy names the window's own choice, not the console's option.
  EXPECT_EQ(ws.texts[kIdcErrorMessage],
            "エラー：このWAVファイルには、AACのフレームが見つかりませんでした。\r\n"
            "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。\r\n"
            "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。\r\n"
            "「編集ソフト用」にチェックを入れてWAVファイルを作り直し、編集ソフトのプロジェクトは、"
            "48 kHz、16ビットか8ビットにして、このトラックには、エフェクトをかけないでください。\r\n");
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);  // hidden again after its countdown
  const std::string log = testing::ReadFile(LogPath());
  EXPECT_NE(log.find("\t入力ファイル：(edited.wav)\tエラー：このWAVファイルには、AACのフレームが見つかりませんでした。"
                     "WAVファイルが編集ソフトで再エンコードされたか、変更された可能性があります。"
                     "編集ソフトが、音声をデコード、リサンプリング、ディザリングなどで加工した可能性が高いです。"
                     "「編集ソフト用」にチェックを入れてWAVファイルを作り直し、"),
            std::string::npos)
      << log;
  // The report itself is the usual one.
  EXPECT_EQ(ws.texts[kIdcInfo], "入力サイズ：8,236 Bytes, 出力サイズ：48 Bytes, 時間：00:00:00.06\r\n");
}

std::vector<const char*> Members(const DialogTexts& t) {
  static_assert(sizeof(DialogTexts) == 8 * sizeof(const char*));  // every member listed
  return {t.countdown.c_str(),    t.settingsNotOpenable.c_str(), t.logInputFileOpen.c_str(),
          t.logDroppedSentence.c_str(), t.cancelButton.c_str(), t.stopped.c_str(),
          t.folderNotShown.c_str(), t.editorsChoice.c_str()};
}

TEST(DialogTexts, BothLanguagesCompleteEnglishInAscii) {
  testing::ExpectTablePair(Members(DialogTextsFor(Language::kJapanese)),
                           Members(DialogTextsFor(Language::kEnglish)));
  // The sentence the log leaves out is the damage report's, in each language.
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    const std::string head = EngineTextsFor(language).damageReportHead;
    EXPECT_NE(head.find(DialogTextsFor(language).logDroppedSentence.c_str()), std::string::npos);
  }
}

}  // namespace
}  // namespace tessaro

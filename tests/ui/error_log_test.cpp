#include "ui/error_log.h"

#include <gtest/gtest.h>

#include "fake_window_system.h"
#include "special_files.h"
#include "temp_dir.h"

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
  EXPECT_EQ(ShortenLogMessage(report),
            "エラー：このAACファイルは正常ではありません。"
            "データ異常が発見された位置　(2ヵ所)　時間：00:00:01.00　時間：00:00:02.50");
}

TEST(FormatLogLine, StampNameMessage) {
  const std::tm t = testing::FakeWindowSystem::MakeTime(2024, 3, 9, 7, 5, 2);
  EXPECT_EQ(FormatLogLine(t, "C:\\音楽\\曲.aac", "a\r\nb↓"),
            "2024/03/09 07:05:02\t入力ファイル：(曲.aac)\tab\r\n");
  // A name cannot forge a second line or field.
  EXPECT_EQ(FormatLogLine(t, "/u/a\r\nforged line\tb\x7f\x1f.aac", "m"),
            "2024/03/09 07:05:02\t入力ファイル：(a\\x0D\\x0Aforged line\\x09b\\x7F\\x1F.aac)\tm\r\n");
}

TEST(AppendLogLine, KeepsExistingContent) {
  testing::TempDir dir;
  const std::string path = dir.File("TSR_ErrorLog.txt");
  testing::TempDir::Write(path, "old line\r\n");
  ASSERT_TRUE(AppendLogLine(path, "new line\r\n"));
  EXPECT_EQ(testing::TempDir::Read(path), "old line\r\nnew line\r\n");
}

TEST(AppendLogLine, AFolderOrAPipeIsSkippedWithoutWaiting) {
  testing::TempDir dir;
  for (auto kind : {testing::Special::kFolder, testing::Special::kPipe}) {
    const std::string path = dir.File("log" + std::to_string(static_cast<int>(kind)));
    if (!testing::MakeSpecialFile(path, kind)) continue;
    EXPECT_FALSE(AppendLogLine(path, "line\r\n")) << path;
  }
}

}  // namespace
}  // namespace tessaro

// The error window's placement and countdown, and the error log line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

#include "engine/engine_texts.h"
#include "tests/ui/dialog_fixture.h"
#include "ui/control_ids.h"
#include "ui/dialog_texts.h"

namespace tessaro {
namespace {

using testing::DialogTest;
using testing::ReadFile;
using testing::WriteFile;

std::ptrdiff_t LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST_F(DialogTest, ErrorWindowCentresItsClientSizeOverTheMainWindow) {
  Open();
  ws.windowRects[DialogWindow::kMain] = {101, 50, 613, 194};
  ws.windowRects[DialogWindow::kErrorMessage] = {0, 0, 290, 140};
  dlg->ShowErrorMessage("x", 0);
  const WinRect r = ws.placeLog.back().second;
  EXPECT_EQ(ws.placeLog.back().first, DialogWindow::kErrorMessage);
  EXPECT_EQ(r.left, (101 + 613 - 280) / 2);
  EXPECT_EQ(r.top, (50 + 194 - 112) / 2);
  EXPECT_EQ(r.Width(), 290);  // size unchanged
}

TEST_F(DialogTest, CountdownTextsAndSteps) {
  struct Case {
    int eTime;
    std::vector<std::string> texts;
  } cases[] = {
      {20, {"あと  2.0秒で消えます。", "あと  1.9秒で消えます。"}},
      {5, {"あと  0.5秒で消えます。", "あと  0.4秒で消えます。"}},
      {0, {}},
      {1234, {"あと123.4秒で消えます。", "あと123.3秒で消えます。"}},
  };
  for (const Case& c : cases) {
    Open();
    dlg->m_nETime = c.eTime;
    ws.countdownAtPump.clear();
    ws.sleepCount = 0;
    ws.showLog.clear();
    dlg->ShowErrorMessage("message\r\n", 1);
    EXPECT_EQ(ws.sleepCount, c.eTime);
    ASSERT_EQ(ws.countdownAtPump.size(), static_cast<size_t>(c.eTime));
    for (size_t i = 0; i < c.texts.size(); ++i) EXPECT_EQ(ws.countdownAtPump[i], c.texts[i]);
    if (c.eTime > 0) {
      EXPECT_EQ(ws.countdownAtPump.back(), "あと  0.1秒で消えます。");
    }
    const std::vector<std::pair<DialogWindow, bool>> shownThenHidden = {
        {DialogWindow::kErrorMessage, true}, {DialogWindow::kErrorMessage, false}};
    EXPECT_EQ(ws.showLog, shownThenHidden);
    EXPECT_EQ(ws.texts[kIdcErrorMessage], "message\r\n");
  }
  // ETime 0 still logs.
  EXPECT_EQ(LineCount(ReadFile(LogPath())), 4);
}

TEST_F(DialogTest, ClosingDuringCountdownEndsItAtTheNextTickAndStillLogs) {
  Open();
  ws.onPump = [this] {
    if (ws.pumpCount == 3) dlg->ErrorDialog()->OnCancel();
  };
  ws.pumpCount = 0;
  dlg->m_strInFile = "C:\\音楽\\曲.aac";
  dlg->ShowErrorMessage(
      "エラー：このAACファイルは正常ではありません。\r\n"
      "大きく音ズレが発生する可能性があります。\r\n\r\nデータ異常が発見された位置↓",
      1);
  EXPECT_EQ(ws.pumpCount, 3);
  EXPECT_EQ(ws.sleepCount, 2);
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
  EXPECT_EQ(ReadFile(LogPath()),
            "2024/03/09 07:05:02\t入力ファイル：(曲.aac)\t"
            "エラー：このAACファイルは正常ではありません。データ異常が発見された位置\r\n");

  // The next report starts with the close flag cleared.
  ws.onPump = nullptr;
  ws.sleepCount = 0;
  dlg->ShowErrorMessage("again", 0);
  EXPECT_EQ(ws.sleepCount, 20);
  EXPECT_EQ(LineCount(ReadFile(LogPath())), 1);
}

// The log names the converted file, also when another is dropped while the
// error window counts down.
TEST_F(DialogTest, AFileDroppedDuringTheCountdownIsNotTheOneLogged) {
  Open();
  duringConversion = [this](ConversionHost& host) {
    ws.pumpCount = 0;
    ws.onPump = [this] {
      if (ws.pumpCount == 2) dlg->OnDropFiles({"/m/other.aac"});
    };
    host.ShowErrorMessage("damage", 1);
  };
  dlg->OnDropFiles({"/m/converted.aac"});
  dlg->OnConvert();
  EXPECT_EQ(ws.texts[kIdcInFile], "/m/other.aac");
  EXPECT_EQ(ReadFile(LogPath()), "2024/03/09 07:05:02\t入力ファイル：(converted.aac)\tdamage\r\n");
}

TEST_F(DialogTest, EnglishDialogCountsDownLogsAndConvertsInEnglish) {
  language = Language::kEnglish;
  Open();
  dlg->m_strInFile = "/music/song.aac";
  const EngineTexts& en = EngineTextsFor(Language::kEnglish);
  dlg->ShowErrorMessage(std::string(en.damageReportHead) + en.damageReportCount(2) + "\r\n" +
                            AnomalyEntry(en, 1.0) + AnomalyEntry(en, 2.5) + "...",
                        1);
  EXPECT_EQ(ws.countdownAtPump.front(), "Closes in 2.0 seconds.");
  EXPECT_EQ(ReadFile(LogPath()),
            "2024/03/09 07:05:02\tInput file: (song.aac)\tWarning: This AAC file is damaged. "
            "Positions of damaged data (2): Time: 00:00:01.00 Time: 00:00:02.50 ...\r\n");
  dlg->ShowErrorMessage(en.noFrameFound(DialogTextsFor(Language::kEnglish).editorsChoice.c_str()), 1);
  EXPECT_NE(ReadFile(LogPath()).find("\tWarning: No AAC frames were found in this WAV file. The "
                                     "editing program has most likely decoded, resampled, dithered "
                                     "or otherwise processed the audio. Write the WAV again with "
                                     "\"For editors\" checked, keep the editing project at 48 kHz "
                                     "and 16 or 8 bits, and put no effects on this track.\r\n"),
            std::string::npos);

  dlg->OnConvert();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].language, Language::kEnglish);

  ws.dataDirectory = dir.File("blocked/");
  dlg->m_strIniPath = dir.File("blocked/TSR.ini");
  WriteFile(dir.File("blocked"), "a file where the directory should be");
  EXPECT_FALSE(dlg->SaveSettings());
  // It says which file, why where the system tells, that the window's
  // settings were lost, and what to do.
  const std::string message = ws.texts[kIdcErrorMessage];
  EXPECT_EQ(message.rfind("The settings file (" + dir.File("blocked/TSR.ini") + ") cannot be written", 0),
            0u)
      << message;
  EXPECT_TRUE(message.ends_with(", so the window's position and size, the last input file and the "
                                "size and \"For editors\" choices were not saved. Check that its "
                                "folder can be written to."))
      << message;
}

}  // namespace
}  // namespace tessaro

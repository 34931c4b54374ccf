// The main dialog's start-up, settings, paths and layout.
#include "ui/tessaro_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/version_text.h"
#include "tests/ui/dialog_fixture.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"

namespace tessaro {
namespace {

using testing::DialogTest;
using testing::FileExists;
using testing::ReadFile;
using testing::WriteFile;

TEST_F(DialogTest, WithoutSettingsFileOpensWithDefaults) {
  CTessaroDlg& d = Open();
  const WinRect r = ws.windowRects[DialogWindow::kMain];
  EXPECT_EQ(r.left, 192);
  EXPECT_EQ(r.top, 128);
  EXPECT_EQ(r.Width(), 512);
  EXPECT_EQ(r.Height(), 144);
  EXPECT_TRUE(ws.shown[DialogWindow::kMain]);
  EXPECT_EQ(ws.titles[DialogWindow::kMain], testing::kVersionText);
  EXPECT_EQ(ws.aboutEntries, std::vector<std::string>{"Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)..."});
  EXPECT_EQ(ws.texts[kIdcInFile], "");
  EXPECT_EQ(ws.combos[kIdcOutputSize], 0);
  EXPECT_EQ(d.m_nETime, 20);
  EXPECT_EQ(ws.errorWindowsCreated, 1);
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
}

TEST_F(DialogTest, SettingsPlaceWindowAndDeriveOutputFromInFile) {
  WriteFile(IniPath(),
                 "PosX=10\r\nPosY=20\r\nSizeX=600\r\nSizeY=200\r\nETime=5s\r\n"
                 "InFile=/m/Track1 DELAY 120ms.aac\r\nOutputSize=2\r\nposx=99");
  CTessaroDlg& d = Open();
  const WinRect r = ws.windowRects[DialogWindow::kMain];
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.Width(), r.Height()}),
            (std::vector<int>{10, 20, 600, 200}));
  EXPECT_EQ(d.m_nETime, 5);
  EXPECT_EQ(ws.combos[kIdcOutputSize], 1);
  EXPECT_EQ(ws.texts[kIdcInFile], "/m/Track1 DELAY 120ms.aac");
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/Track1 DELAY 0ms_aac.wav");
  EXPECT_EQ(d.m_nDelay, 120);
}

TEST_F(DialogTest, CloseWritesSevenLinesFromWindowAndControls) {
  Open();
  ws.windowRects[DialogWindow::kMain] = {-5, 40, 395, 240};
  Type(kIdcInFile, "/music/a=b c.aac");
  ws.combos[kIdcOutputSize] = 1;
  dlg->OnCancel();
  const std::string end = kSettingsLineEnd;
  EXPECT_EQ(ReadFile(IniPath()), "PosX=-5" + end + "PosY=40" + end + "SizeX=400" + end +
                                          "SizeY=200" + end + "ETime=20" + end +
                                          "InFile=/music/a=b c.aac" + end + "OutputSize=1" + end);
  EXPECT_EQ(ws.endResults, std::vector<int>{kIdCancel});
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
}

TEST_F(DialogTest, UnwritableSettingsShowErrorWindowLogNothingAndStillClose) {
  ws.dataDirectory = dir.File("blocked/");
  WriteFile(dir.File("blocked"), "a file where the directory should be");
  Open();
  dlg->OnCancel();
  ASSERT_EQ(ws.showLog.size(), 3u);  // main shown, then the error window shown and hidden
  EXPECT_EQ(ws.texts[kIdcErrorMessage], "ファイル（" + dir.File("blocked/TSR.ini") + "）が開けません");
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
  EXPECT_FALSE(FileExists(dir.File("blocked/TSR_ErrorLog.txt")));
  EXPECT_FALSE(FileExists(LogPath()));
  EXPECT_EQ(ws.endResults, std::vector<int>{kIdCancel});
}

TEST_F(DialogTest, DelayAndOutputFollowTheLastDerivation) {
  Open();
  ws.fileAnswers = {"/m/Track1 DELAY 120ms.aac"};
  dlg->OnBrowseInput();
  EXPECT_EQ(dlg->m_nDelay, 120);

  Type(kIdcInFile, "/m/typed.aac");  // typing derives nothing
  dlg->OnConvert();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].inputPath, "/m/typed.aac");
  EXPECT_EQ(requests[0].outputPath, "/m/Track1 DELAY 0ms_aac.wav");
  EXPECT_EQ(requests[0].delayMs, 120);
  EXPECT_EQ(requests[0].language, Language::kJapanese);

  dlg->OnDropFiles({"/m/song.wav"});  // a ".wav" keeps the delay
  EXPECT_EQ(dlg->m_nDelay, 120);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/song_out.aac");

  Type(kIdcOutFile, "/typed/out.aac");  // replaced by the next derivation
  dlg->OnDropFiles({"/m/song.aac"});    // an untagged ".aac" resets the delay
  EXPECT_EQ(dlg->m_nDelay, 0);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/song_aac.wav");

  Type(kIdcOutFile, "/typed/out.aac");
  dlg->OnDropFiles({"/m/song.mp4"});  // also by an empty one
  EXPECT_EQ(ws.texts[kIdcOutFile], "");
}

TEST_F(DialogTest, SizeLayoutAtClientArea400x100) {
  Open();
  ws.clientRects[DialogWindow::kMain] = {0, 0, 400, 100};
  dlg->OnSize();
  using P = testing::ControlPlace;
  const std::map<int, P> expected = {
      {1002, P{352, 6, 44, 20}}, {1006, P{352, 32, 44, 20}}, {1010, P{296, 60, 50, 12}},
      {1008, P{352, 56, 44, 20}}, {1003, P{352, 80, 44, 16}}, {1001, P{40, 6, 304, 20}},
      {1005, P{40, 32, 304, 20}}, {1004, P{4, 58, 284, 16}},  {1000, P{4, 80, 340, 16}},
  };
  EXPECT_EQ(ws.places, expected);
  MinMaxInfo info;
  dlg->OnGetMinMaxInfo(info);
  EXPECT_EQ((std::vector<int>{info.minTrackWidth, info.minTrackHeight, info.maxTrackWidth}),
            (std::vector<int>{224, 136, 1280}));
}

TEST_F(DialogTest, BrowseInitialNamesAndResults) {
  Open();
  Type(kIdcInFile, "C:\\music\\");
  Type(kIdcOutFile, "");
  ws.texts[kIdcInfo] = "old report";
  ws.progress[kIdcProgress] = 70;
  ws.fileAnswers = {"", "", "/out/x.wav"};
  dlg->OnBrowseInput();  // cancelled: nothing changes
  dlg->OnBrowseOutput();
  dlg->OnBrowseOutput();
  ASSERT_EQ(ws.fileDialogs.size(), 3u);
  EXPECT_EQ(ws.fileDialogs[0].initialName, "C:\\music\\default.aac");
  EXPECT_FALSE(ws.fileDialogs[0].save);
  EXPECT_EQ(ws.fileDialogs[0].filter, "AAC File(*.aac)|*.aac|WAV File(*.wav)|*.wav|All File(*.*)|*.*||");
  EXPECT_EQ(ws.fileDialogs[1].initialName, "");
  EXPECT_TRUE(ws.fileDialogs[1].save);
  EXPECT_EQ(ws.fileDialogs[1].filter, "WAV File(*.wav)|*.wav|AAC File(*.aac)|*.aac|All File(*.*)|*.*||");
  EXPECT_EQ(ws.texts[kIdcOutFile], "/out/x.wav");
  EXPECT_EQ(ws.texts[kIdcInFile], "C:\\music\\");
  EXPECT_EQ(ws.texts[kIdcInfo], "");
  EXPECT_EQ(ws.progress[kIdcProgress], 0);

  Type(kIdcOutFile, "/out/");
  ws.fileAnswers = {""};
  dlg->OnBrowseOutput();
  EXPECT_EQ(ws.fileDialogs.back().initialName, "/out/default.aac");
}

TEST_F(DialogTest, DropOfThreeFilesTakesTheFirstWhole) {
  Open();
  ws.texts[kIdcInfo] = "old report";
  ws.progress[kIdcProgress] = 100;
  const std::string longPath = "/data/" + std::string(300, 'n') + " DELAY 40ms.aac";
  dlg->OnDropFiles({longPath, "/b.aac", "/c.wav"});
  EXPECT_EQ(ws.texts[kIdcInFile], longPath);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/data/" + std::string(300, 'n') + " DELAY 0ms_aac.wav");
  EXPECT_EQ(dlg->m_nDelay, 40);
  EXPECT_EQ(ws.texts[kIdcInfo], "");
  EXPECT_EQ(ws.progress[kIdcProgress], 0);
}

TEST_F(DialogTest, ConvertDisablesSixInputsAroundTheConversion) {
  Open();
  Type(kIdcInFile, "/m/a.aac");
  ws.enableLog.clear();
  dlg->OnConvert();
  EXPECT_FALSE(enabledDuringConversion);
  const std::vector<std::pair<int, bool>> expected = {
      {1008, false}, {1003, false}, {1001, false}, {1002, false}, {1005, false}, {1006, false},
      {1008, true},  {1003, true},  {1001, true},  {1002, true},  {1005, true},  {1006, true}};
  EXPECT_EQ(ws.enableLog, expected);
}

TEST_F(DialogTest, FileDroppedDuringConversionChangesFieldsNotTheRequest) {
  Open();
  dlg->OnDropFiles({"/m/first DELAY 30ms.aac"});
  ConversionRequest seen;
  duringConversion = [&](ConversionHost& host) {
    host.SetInfoText("入力サイズ：", true);
    dlg->OnDropFiles({"/m/second.wav"});  // dispatched by the pump
    host.AppendInfoText("done\r\n", true);
    seen = requests.back();
  };
  dlg->OnConvert();
  EXPECT_EQ(seen.inputPath, "/m/first DELAY 30ms.aac");
  EXPECT_EQ(seen.outputPath, "/m/first DELAY 0ms_aac.wav");
  EXPECT_EQ(seen.delayMs, 30);
  EXPECT_EQ(ws.texts[kIdcInFile], "/m/second.wav");
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/second_out.aac");
  EXPECT_EQ(ws.texts[kIdcInfo], "done\r\n");  // the drop cleared it, the conversion appended
}

TEST_F(DialogTest, AboutEntryOpensTheAboutBox) {
  Open();
  EXPECT_FALSE(dlg->OnSysCommand(0xF060));
  EXPECT_TRUE(dlg->OnSysCommand(0x0010));
  EXPECT_TRUE(dlg->OnSysCommand(0x0013));  // low four bits are the system's
  EXPECT_EQ(ws.aboutBoxes.size(), 2u);
  EXPECT_EQ(ws.aboutBoxes[0], testing::kVersionText);
}

TEST(VersionText, MajorMinorAndThirdRunTogether) {
  EXPECT_EQ(FormatVersionText({0, 2, 8, 0}), "Tessaro Version 0.28");
  EXPECT_EQ(FormatVersionText({1, 12, 3, 9}), "Tessaro Version 1.123");
  EXPECT_EQ(FormatVersionText({}), "Tessaro Version 0.00");
  EXPECT_EQ(FormatVersionText(FileVersionFromBuild()), testing::kVersionText);
}

}  // namespace
}  // namespace tessaro

// The main dialog's start-up, settings, paths and layout.
#include "ui/tessaro_dlg.h"

#include <gtest/gtest.h>

#include <csignal>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "cli/cli_app.h"
#include "engine/convert_command.h"
#include "tests/support/adts_builder.h"
#include "tests/support/memory_console.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_host.h"
#include "tests/support/version_text.h"
#include "tests/ui/dialog_fixture.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/window_placement.h"

namespace tessaro {
namespace {

using testing::DialogTest;
using testing::FileExists;
using testing::ReadFile;
using testing::WriteFile;
using testing::AdtsFields;
using testing::AdtsStream;
using testing::MemoryConsole;
using testing::MemoryFileSystem;

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

TEST(PlaceOnScreens, MovesTheWindowOntoTheNearestScreen) {
  const WinRect laptop{0, 0, 1280, 800};
  const WinRect right{1280, 0, 2560, 1024};
  struct Case {
    WinRect window;
    std::vector<WinRect> screens;
    WinRect placed;
  } cases[] = {
      {{100, 100, 612, 244}, {laptop}, {100, 100, 612, 244}},      // on it: stays
      {{1202, 800, 1714, 944}, {laptop}, {768, 656, 1280, 800}},   // past the corner
      {{-300, 10, 212, 154}, {laptop}, {0, 10, 512, 154}},         // left of the origin
      {{0, 0, 2000, 1000}, {laptop}, {0, 0, 1280, 800}},           // larger than the screen
      {{1900, 900, 2412, 1044}, {laptop, right}, {1900, 880, 2412, 1024}},  // mostly on the right one
      {{5000, 5000, 5512, 5144}, {laptop, right}, {2048, 880, 2560, 1024}}, // nearest
      {{-9000, 10, -8488, 154}, {laptop, right}, {0, 10, 512, 154}},
      {{5000, 5000, 5512, 5144}, {}, {5000, 5000, 5512, 5144}},   // screens unknown
  };
  for (const Case& c : cases) {
    const WinRect r = PlaceOnScreens(c.window, c.screens);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{c.placed.left, c.placed.top, c.placed.right, c.placed.bottom}))
        << c.window.left << "," << c.window.top;
  }
}

TEST_F(DialogTest, SavedPositionOffTheScreenComesBackOntoIt) {
  WriteFile(IniPath(), "PosX=1202\r\nPosY=800\r\n");
  ws.screens = {{0, 0, 1280, 800}};
  CTessaroDlg& d = Open();
  const WinRect r = ws.windowRects[DialogWindow::kMain];
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.Width(), r.Height()}),
            (std::vector<int>{768, 656, 512, 144}));
  EXPECT_EQ(d.m_nPosX, 1202);  // the settings change only when the window is closed
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

// The editors' check box: AAC to WAV writes their blocks, WAV to AAC reads
// them whatever the box says, and the choice comes back with the window.
TEST_F(DialogTest, EditorsChoiceWritesTheirBlocksReadsThemBackAndIsKept) {
  AdtsFields fields;
  fields.frame_length = 100;
  const testing::Bytes aac = AdtsStream().Frames(3, fields).bytes();
  MemoryFileSystem memory;
  memory.SetFile("/m/a.aac", aac);
  duringConversion = [&](ConversionHost& host) { RunConversion(requests.back(), host, memory); };
  Open();
  EXPECT_FALSE(ws.checks[kIdcForEditors]);
  ws.checks[kIdcForEditors] = true;
  Type(kIdcInFile, "/m/a.aac");
  dlg->OnConvert();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].blockFlavour, BlockFlavour::kEditors);
  EXPECT_EQ(requests[0].editorsChoice, "「編集ソフト用」にチェックを入れて");
  const testing::Bytes wav = memory.Contents("/m/a_aac.wav");
  const std::string preamble = "TSRADTS\x01";
  EXPECT_NE(std::search(wav.begin(), wav.end(), preamble.begin(), preamble.end()), wav.end());
  Type(kIdcInFile, "/m/a_aac.wav");
  Type(kIdcOutFile, "/m/back.aac");
  dlg->OnConvert();
  const testing::Bytes back = memory.Contents("/m/back.aac");
  ASSERT_GE(back.size(), aac.size());
  EXPECT_TRUE(std::equal(aac.begin(), aac.end(), back.begin()));  // the frames, untouched
  dlg->OnCancel();
  const std::string end = kSettingsLineEnd;
  EXPECT_TRUE(ReadFile(IniPath()).ends_with("OutputSize=0" + end + "ForEditors=1" + end));
  ws.checks.clear();
  Open();
  EXPECT_TRUE(ws.checks[kIdcForEditors]);
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

TEST_F(DialogTest, OutputAndDelayFollowEveryChangeOfTheInput) {
  Open();
  ws.fileAnswers = {"/m/Track1 DELAY 120ms.aac"};
  dlg->OnBrowseInput();
  EXPECT_EQ(dlg->m_nDelay, 120);
  dlg->OnConvert();
  ws.texts[kIdcInfo] = "last report";

  // Typing (or pasting) proposes as browsing does: never the last output or delay.
  Type(kIdcInFile, "/m/typed.aac");
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/typed_aac.wav");
  EXPECT_EQ(dlg->m_nDelay, 0);
  EXPECT_EQ(ws.texts[kIdcInfo], "");
  Type(kIdcOutFile, "/typed/out.wav");  // after the input's last change: kept
  dlg->OnInputPathChanged();            // a window's echo of an unchanged box
  dlg->OnConvert();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].inputPath, "/m/typed.aac");
  EXPECT_EQ(requests[1].outputPath, "/typed/out.wav");
  EXPECT_EQ(requests[1].delayMs, 0);
  EXPECT_EQ(requests[1].language, Language::kJapanese);

  // A window that missed the edit: Convert proposes before converting.
  ws.texts[kIdcInFile] = "/m/x DELAY 40ms.aac";
  dlg->OnConvert();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].outputPath, "/m/x DELAY 0ms_aac.wav");
  EXPECT_EQ(requests[2].delayMs, 40);

  dlg->OnDropFiles({"/m/song.wav"});  // a ".wav" keeps the delay
  EXPECT_EQ(dlg->m_nDelay, 40);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/song_out.aac");

  Type(kIdcOutFile, "/typed/out.aac");  // replaced by the next derivation
  dlg->OnDropFiles({"/m/song.aac"});    // an untagged ".aac" resets the delay
  EXPECT_EQ(dlg->m_nDelay, 0);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/m/song_aac.wav");

  Type(kIdcOutFile, "/typed/out.aac");
  Type(kIdcInFile, "/m/song.mp4");  // also by an empty one
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
      {1015, P{294, 58, 0, 16}},
  };
  EXPECT_EQ(ws.places, expected);
  // The editors' check box takes its text's room from the progress bar,
  // which keeps 40 pixels in a narrow window.
  ws.room.editorsChoice = 80;
  for (const auto& [width, box, bar] : {std::tuple{400, P{208, 58, 80, 16}, P{4, 58, 198, 16}},
                                        std::tuple{224, P{50, 58, 62, 16}, P{4, 58, 40, 16}}}) {
    ws.clientRects[DialogWindow::kMain] = {0, 0, width, 100};
    dlg->OnSize();
    EXPECT_EQ(ws.places[kIdcForEditors], box) << width;
    EXPECT_EQ(ws.places[kIdcProgress], bar) << width;
  }
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

TEST_F(DialogTest, DropOfOneFileTakesItWholeWithoutConverting) {
  Open();
  ws.texts[kIdcInfo] = "old report";
  ws.progress[kIdcProgress] = 100;
  const std::string longPath = "/data/" + std::string(300, 'n') + " DELAY 40ms.aac";
  dlg->OnDropFiles({longPath});
  EXPECT_EQ(ws.texts[kIdcInFile], longPath);
  EXPECT_EQ(ws.texts[kIdcOutFile], "/data/" + std::string(300, 'n') + " DELAY 0ms_aac.wav");
  EXPECT_EQ(dlg->m_nDelay, 40);
  EXPECT_EQ(ws.texts[kIdcInfo], "");
  EXPECT_EQ(ws.progress[kIdcProgress], 0);
  EXPECT_TRUE(requests.empty());
}

TEST_F(DialogTest, ConvertDisablesFiveInputsAndTurnsIntoCancel) {
  Open();
  Type(kIdcInFile, "/m/a.aac");
  ws.texts[kIdcConvert] = "変換";
  ws.enableLog.clear();
  std::string buttonDuring;
  duringConversion = [&](ConversionHost&) { buttonDuring = ws.texts[kIdcConvert]; };
  dlg->OnConvert();
  EXPECT_FALSE(inputEnabledDuringConversion);
  EXPECT_EQ(buttonDuring, "中止");
  EXPECT_EQ(ws.texts[kIdcConvert], "変換");
  const std::vector<std::pair<int, bool>> expected = {
      {1008, false}, {1001, false}, {1002, false}, {1005, false}, {1006, false}, {1015, false},
      {1008, true},  {1001, true},  {1002, true},  {1005, true},  {1006, true},  {1015, true}};
  EXPECT_EQ(ws.enableLog, expected);
}

// However a conversion ends, the keyboard stays with the window: the focus of
// a control that is disabled meanwhile goes to the cancel button and comes
// back after, unless the user has moved it. A damaged file leaves the mark,
// a written output the menu entry that shows it in its folder.
TEST_F(DialogTest, AfterEveryWayAConversionEndsTheFocusIsBackAndTheMarksTell) {
  struct Case {
    const char* name;
    int focus;  // when it starts
    bool commandLine;
    bool damaged;
    bool cancelled;
    int movedTo;  // by the user during the conversion (0: not moved)
    int focusDuring;
    int focusAfter;
  } cases[] = {
      {"Enter in the input box", kIdcInFile, false, false, false, 0, kIdcConvert, kIdcInFile},
      {"Enter in the output box", kIdcOutFile, false, false, false, 0, kIdcConvert, kIdcOutFile},
      {"the button", kIdcConvert, false, false, false, 0, kIdcConvert, kIdcConvert},
      {"the command line", kIdcInFile, true, false, false, 0, kIdcConvert, kIdcInFile},
      {"a damaged file", kIdcInFile, false, true, false, 0, kIdcConvert, kIdcInFile},
      {"a cancel", kIdcOutFile, false, false, true, 0, kIdcConvert, kIdcOutFile},
      {"the report box", kIdcInfo, false, false, false, 0, kIdcInfo, kIdcInfo},
      {"moved by the user", kIdcInFile, false, false, false, kIdcInfo, kIdcInfo, kIdcInfo},
      {"nothing focused", 0, false, true, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    requests.clear();
    ws.focus = c.focus;
    Open(c.commandLine ? CommandLine{false, {"/m/a.aac"}} : CommandLine{});
    Type(kIdcInFile, "/m/a.aac");
    int focusDuring = -1;
    duringConversion = [&](ConversionHost& host) {
      if (c.movedTo != 0) ws.focus = c.movedTo;
      focusDuring = ws.focus;
      if (c.damaged) host.ShowErrorMessage("damage", 1);
      if (c.cancelled) dlg->OnCancel();
      host.PumpEvents();
    };
    c.commandLine ? dlg->OnPaint() : dlg->OnConvert();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(focusDuring, c.focusDuring);
    EXPECT_EQ(ws.focus, c.focusAfter);
    EXPECT_EQ(ws.damageMark, c.damaged);
    EXPECT_EQ(ws.showOutputEntry, !c.cancelled);
  }
}

// Cancel, Esc and the close box stop the conversion at its next event pump;
// only the close box also closes, with the settings saved.
TEST_F(DialogTest, CancelEscAndCloseStopTheConversionAtItsNextPump) {
  struct Case {
    const char* name;
    void (CTessaroDlg::*action)();
    Language language;
    bool closes;
    const char* stopped;
  } cases[] = {
      {"cancel button", &CTessaroDlg::OnConvert, Language::kJapanese, false,
       "エラー：変換が、中断されました。出力ファイルは、元のままです。\r\n"},
      {"Esc", &CTessaroDlg::OnCancel, Language::kEnglish, false,
       "Error: The conversion was stopped. The output file is as it was.\r\n"},
      {"close box", &CTessaroDlg::OnClose, Language::kJapanese, true,
       "エラー：変換が、中断されました。出力ファイルは、元のままです。\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(testing::Utf8Path(IniPath()));
    std::filesystem::remove(testing::Utf8Path(LogPath()));
    ws.endResults.clear();
    requests.clear();
    language = c.language;
    Open();
    ws.texts[kIdcConvert] = "変換";
    Type(kIdcInFile, "/m/a.aac");
    bool pumpedOn = false;
    duringConversion = [&](ConversionHost& host) {
      host.SetInfoText("入力サイズ：1\r\n", true);
      host.SetProgress(40);
      (dlg.get()->*c.action)();
      (dlg.get()->*c.action)();  // a second request adds nothing
      EXPECT_FALSE(FileExists(IniPath()));
      // A damage report shown meanwhile ends its countdown and is logged.
      host.ShowErrorMessage("damage", 1);
      EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
      host.PumpEvents();
      pumpedOn = true;
    };
    dlg->OnConvert();
    EXPECT_FALSE(pumpedOn);
    EXPECT_EQ(ws.texts[kIdcInfo], c.stopped);
    EXPECT_EQ(ws.progress[kIdcProgress], 0);  // nothing was converted
    EXPECT_EQ(ws.texts[kIdcConvert], "変換");
    EXPECT_TRUE(ws.enabled[kIdcInFile]);
    EXPECT_FALSE(dlg->IsConverting());
    EXPECT_NE(ReadFile(LogPath()).find("damage"), std::string::npos);
    EXPECT_EQ(FileExists(IniPath()), c.closes);
    EXPECT_EQ(ws.endResults, c.closes ? std::vector<int>{kIdCancel} : std::vector<int>{});
    // Idle again: Esc closes as it always did.
    if (!c.closes) {
      dlg->OnCancel();
      EXPECT_EQ(ws.endResults, std::vector<int>{kIdCancel});
    }
  }
}

// Input that comes while the output's last steps hold the window (its last
// write, a slow flush) is a cancel seen before the new file is put in place:
// the old output stays. Input that comes during the rename itself is too
// late for the file, yet still a cancel: never a second conversion, and Esc
// does not close the window. Input not taken during the run reaches the
// dialog once it returns, as a window system's queue would hand it on.
TEST_F(DialogTest, InputDuringTheOutputsLastStepsIsACancelNeverAReplay) {
  testing::Bytes stream;
  for (uint8_t i = 0; i < 6; ++i) {
    const testing::Bytes frame = testing::AdtsFrame({.frame_length = 120}, i);
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  const testing::Bytes old = {'o', 'l', 'd'};
  struct Phase {
    const char* name;
    testing::FsOp op;
    bool keepsOld;
  } phases[] = {
      {"last write", testing::FsOp::kWrite, true},
      {"flush", testing::FsOp::kSync, true},
      {"rename", testing::FsOp::kRename, false},
  };
  struct Action {
    const char* name;
    void (CTessaroDlg::*action)();
    bool closes;
  } actions[] = {
      {"button", &CTessaroDlg::OnConvert, false},
      {"Esc", &CTessaroDlg::OnCancel, false},
      {"close", &CTessaroDlg::OnClose, true},
  };
  for (const Phase& phase : phases) {
    for (const Action& a : actions) {
      SCOPED_TRACE(std::string(phase.name) + ", " + a.name);
      std::filesystem::remove(testing::Utf8Path(IniPath()));
      ws.endResults.clear();
      requests.clear();
      Open();
      Type(kIdcInFile, "/m/a.aac");
      const std::string output = ws.texts[kIdcOutFile];
      testing::MemoryFileSystem fs;
      fs.SetFile("/m/a.aac", stream);
      fs.SetFile(output, old);
      // The writes a conversion makes: the input comes during the last.
      testing::MemoryFileSystem probe;
      probe.SetFile("/m/a.aac", stream);
      probe.SetFile(output, old);
      testing::RecordingHost probeHost;
      ConversionRequest request;
      request.inputPath = "/m/a.aac";
      request.outputPath = output;
      RunConversion(request, probeHost, probe);
      const uint64_t lastOfOp = probe.callCount(phase.op);
      bool pending = false;
      fs.whileCalling = [&](testing::FsOp op) {
        if (op == phase.op && fs.callCount(op) == lastOfOp) pending = true;
      };
      auto deliver = [&] {
        if (!pending) return;
        pending = false;
        (dlg.get()->*a.action)();
      };
      ws.onPump = deliver;
      duringConversion = [&](ConversionHost& host) { RunConversion(requests.back(), host, fs); };
      dlg->OnConvert();
      ws.onPump = nullptr;
      deliver();  // the window system's queue, after the run

      EXPECT_EQ(requests.size(), 1u);
      EXPECT_EQ(fs.Contents(output) == old, phase.keepsOld);
      EXPECT_EQ(fs.Paths().size(), 2u);  // no new file left beside it
      EXPECT_EQ(ws.texts[kIdcInfo].starts_with("エラー：変換が、中断されました。"), phase.keepsOld)
          << ws.texts[kIdcInfo];
      EXPECT_EQ(ws.endResults, a.closes ? std::vector<int>{kIdCancel} : std::vector<int>{});
      EXPECT_EQ(FileExists(IniPath()), a.closes);
    }
  }
}

// Several files are converted in turn, each to its own proposed output and
// delay; a failed or damaged file does not stop the others; the damage
// reports are logged one by one and shown together at the end.
TEST_F(DialogTest, SeveralDroppedFilesAreConvertedInTurn) {
  Open();
  results.resize(3);
  results[1].failed = true;
  results[2].anomalyCount = 2;
  duringConversion = [&](ConversionHost& host) {
    host.SetInfoText("report " + requests.back().inputPath + "\r\n", true);
    host.SetProgress(50);
    if (requests.size() != 2) host.ShowErrorMessage("damage of " + requests.back().inputPath, 1);
    EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);  // not yet
  };
  std::string buttonWhileShown;
  ws.onPump = [&] {
    if (ws.shown[DialogWindow::kErrorMessage]) buttonWhileShown = ws.texts[kIdcConvert];
  };
  ws.texts[kIdcConvert] = "変換";
  ws.texts[kIdcInfo] = "last report";
  dlg->OnDropFiles({"/m/a.aac", "/m/b DELAY 40ms.aac", "/m/c.wav"});
  ASSERT_EQ(requests.size(), 3u);
  const std::vector<std::pair<std::string, int>> expected = {
      {"/m/a_aac.wav", 0}, {"/m/b DELAY 0ms_aac.wav", 40}, {"/m/c_out.aac", 0}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(requests[i].outputPath, expected[i].first) << i;
    EXPECT_EQ(requests[i].delayMs, expected[i].second) << i;
  }
  EXPECT_EQ(ws.texts[kIdcInfo],
            "[1/3] a.aac\r\nreport /m/a.aac\r\n"
            "[2/3] b DELAY 40ms.aac\r\nreport /m/b DELAY 40ms.aac\r\n"
            "[3/3] c.wav\r\nreport /m/c.wav\r\n"
            "合計 3 ファイル：変換 1, 異常ありで変換 1, 失敗 1\r\n");
  // One blank line between two files' reports; the run is over meanwhile.
  EXPECT_EQ(ws.texts[kIdcErrorMessage],
            "[1/3] a.aac\r\ndamage of /m/a.aac\r\n\r\n[3/3] c.wav\r\ndamage of /m/c.wav");
  EXPECT_EQ(buttonWhileShown, "変換");
  EXPECT_FALSE(ws.shown[DialogWindow::kErrorMessage]);
  ws.onPump = nullptr;
  const std::string log = ReadFile(LogPath());
  EXPECT_NE(log.find("入力ファイル：(c.wav)\tdamage of /m/c.wav"), std::string::npos) << log;
  EXPECT_EQ(log.find("[3/3]"), std::string::npos);  // logged once, as a single file's
  EXPECT_EQ(ws.texts[kIdcInFile], "/m/c.wav");
  EXPECT_TRUE(ws.enabled[kIdcInFile]);

  // Chosen together in the file dialog: the same.
  requests.clear();
  results.clear();
  duringConversion = nullptr;
  ws.fileAnswers = {"/n/x.aac"};
  dlg->OnBrowseInput();  // one file: taken, not converted
  EXPECT_TRUE(requests.empty());
}

// A queue never writes over one of its own inputs or an earlier output, and a
// cancel stops the rest of it.
TEST_F(DialogTest, AQueueKeepsItsOwnFilesAndStopsAtCancel) {
  Open();
  dlg->OnDropFiles({"/m/x.aac", "/m/x_aac.wav", "/n/x_aac.wav"});
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].inputPath, "/m/x_aac.wav");
  EXPECT_EQ(requests[1].inputPath, "/n/x_aac.wav");
  // Worded as the console's batch words it.
  EXPECT_EQ(ws.texts[kIdcInfo].rfind("[1/3] x.aac\r\nエラー：出力ファイルが、入力ファイル x_aac.wav と"
                                     "同じです。上書きできません。\r\n", 0),
            0u);

  // An earlier output, and an input spelled another way.
  for (const std::vector<std::string>& files :
       {std::vector<std::string>{"/m/y DELAY 40ms.aac", "/m/y DELAY 0ms.aac"},
        std::vector<std::string>{"/m/z.aac", "/m/sub/../z_aac.wav"}}) {
    requests.clear();
    dlg->OnDropFiles(files);
    ASSERT_EQ(requests.size(), 1u) << files[1];
    EXPECT_NE(ws.texts[kIdcInfo].find("エラー：出力ファイル"), std::string::npos) << files[1];
  }

  requests.clear();
  duringConversion = [&](ConversionHost& host) {
    if (requests.size() == 2) dlg->OnConvert();  // the cancel button
    host.PumpEvents();
  };
  dlg->OnDropFiles({"/m/1.aac", "/m/2.aac", "/m/3.aac"});
  EXPECT_EQ(requests.size(), 2u);
  const std::string info = ws.texts[kIdcInfo];
  EXPECT_NE(info.find("[2/3] 2.aac\r\nエラー：変換が、中断されました。"), std::string::npos) << info;
  // The summary counts the files done, so that its counts add up.
  EXPECT_NE(info.find("合計 1 ファイル：変換 1, 異常ありで変換 0, 失敗 0\r\n"), std::string::npos)
      << info;
}

#ifndef _WIN32
using DialogDeathTest = DialogTest;

// The window stops taking stop signals neither after a conversion nor
// after a queue: with the stop handling installed (a program started with
// Qt's own options, "tessaro -style Fusion"), SIGTERM ends the idle window.
TEST_F(DialogDeathTest, AStopSignalEndsTheWindowAfterItsConversions) {
  AdtsFields fields;
  fields.frame_length = 100;
  const AdtsStream stream = AdtsStream().Frames(3, fields);
  for (const bool queue : {false, true}) {
    SCOPED_TRACE(queue ? "a queue" : "one file");
    EXPECT_EXIT(
        {
          InstallInterruptHandlers("stopped\n");
          MemoryFileSystem memory;
          memory.SetFile("/m/a.aac", stream.bytes());
          memory.SetFile("/m/b.aac", stream.bytes());
          WatchedFileSystem watched(memory);
          fileSystem = &watched;
          duringConversion = [&](ConversionHost& host) {
            RunConversion(requests.back(), host, watched);
          };
          Open();
          if (queue) {
            dlg->OnDropFiles({"/m/a.aac", "/m/b.aac"});
          } else {
            Type(kIdcInFile, "/m/a.aac");
            dlg->OnConvert();
          }
          if (!memory.Exists("/m/a_aac.wav")) std::exit(2);  // nothing was put in place
          std::raise(SIGTERM);
          std::exit(0);
        },
        ::testing::ExitedWithCode(143), "^stopped\n$");
  }
}
#endif

// The queue looks for its own files on the file system it converts on, so
// a link counts: with song_aac.wav a link to edited.wav, song.aac's output
// would write over edited.wav, another file of the queue.
TEST_F(DialogTest, AQueueSeesItsOwnFilesThroughLinks) {
  MemoryFileSystem memory;
  memory.SetFile("/m/song.aac", std::string("aac"));
  memory.SetFile("/m/edited.wav", std::string("wav"));
  memory.AddAlias("/m/song_aac.wav", "/m/edited.wav");
  fileSystem = &memory;
  Open();
  dlg->OnDropFiles({"/m/song.aac", "/m/edited.wav"});
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].inputPath, "/m/edited.wav");
  EXPECT_NE(ws.texts[kIdcInfo].find("[1/2] song.aac\r\nエラー：出力ファイルが、入力ファイル edited.wav と同じです。"),
            std::string::npos)
      << ws.texts[kIdcInfo];
}

// The same files give the same tally in the dialog's queue and in the
// console's batch, in the one summary line they share.
TEST_F(DialogTest, AQueueAndABatchCountTheSameFilesAlike) {
  AdtsFields fields;
  fields.frame_length = 100;
  AdtsStream damaged = AdtsStream().Frames(3, fields);
  damaged.Insert(200, {1, 2, 3});
  const std::vector<std::string> names = {"/m/good.aac", "/m/bad.aac", "/m/missing.aac",
                                          "/m/good_aac.wav", "/m/other.aac"};
  const auto disk = [&](MemoryFileSystem& fs) {
    fs.SetFile("/m/good.aac", AdtsStream().Frames(3, fields).bytes());
    fs.SetFile("/m/bad.aac", damaged.bytes());
    fs.SetFile("/m/good_aac.wav", std::string("RIFF"));
    fs.SetFile("/m/other.aac", AdtsStream().Frames(3, fields).bytes());
  };
  MemoryFileSystem queued;
  disk(queued);
  language = Language::kEnglish;
  dlg = std::make_unique<CTessaroDlg>(
      ws, CommandLine{},
      [&](const ConversionRequest& request, ConversionHost& host) {
        return RunConversion(request, host, queued);
      },
      language, queued);
  dlg->OnInitDialog();
  dlg->OnDropFiles(names);
  const std::string info = ws.texts[kIdcInfo];

  MemoryFileSystem batched;
  disk(batched);
  MemoryConsole console;
  std::vector<std::string> args = {"--batch"};
  args.insert(args.end(), names.begin(), names.end());
  EXPECT_EQ(cli::RunCli(args, console, batched, language), kExitFailed);
  const std::string summary = "Files: 5 (converted: 1, converted with damage: 1, failed: 3)";
  EXPECT_EQ(console.out.substr(console.out.rfind(summary)), summary + "\n");
  EXPECT_EQ(info.substr(info.size() - summary.size() - 2), summary + "\r\n") << info;
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

// The last output is shown in its folder; when nothing could be opened, the
// error window says so (not logged). Before any output, nothing is shown.
TEST_F(DialogTest, ShowingTheOutputInItsFolderSaysWhenNothingOpened) {
  struct Case {
    Language language;
    bool shows;
    const char* message;
  } cases[] = {
      {Language::kJapanese, true, ""},
      {Language::kJapanese, false,
       "エラー：出力ファイル（/m/a_aac.wav）を、フォルダーで表示できません。\r\n"},
      {Language::kEnglish, false,
       "Error: The output file \"/m/a_aac.wav\" cannot be shown in its folder.\r\n"},
  };
  for (const Case& c : cases) {
    language = c.language;
    ws.shownInFolder.clear();
    ws.texts[kIdcErrorMessage].clear();
    ws.folderShows = c.shows;
    Open();
    ws.showLog.clear();
    dlg->OnShowOutputFolder();
    EXPECT_TRUE(ws.shownInFolder.empty());
    Type(kIdcInFile, "/m/a.aac");
    dlg->OnConvert();
    dlg->OnShowOutputFolder();
    EXPECT_EQ(ws.shownInFolder, std::vector<std::string>{"/m/a_aac.wav"});
    EXPECT_EQ(ws.texts[kIdcErrorMessage], c.message);
    EXPECT_EQ(ws.showLog.size(), c.shows ? 0u : 2u);  // shown, then hidden
  }
  EXPECT_FALSE(FileExists(LogPath()));
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

// The Win32 window driving the dialog logic, in this process: the dialogs are
// real (wine's null graphics driver creates them without showing them); a
// thread timer inspects them while their modal loops run.
#include "ui/win32/win32_window_system.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"
#include "ui/win32/program_language.h"
#include "engine/wide_text.h"
#include "tests/support/adts_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/version_text.h"

namespace tessaro {
namespace {

using testing::ReadFile;
using testing::TempDir;

// The program's window with the settings and the log in a test directory.
class TestWindowSystem : public Win32WindowSystem {
 public:
  explicit TestWindowSystem(std::string dir, Language language = Language::kJapanese)
      : Win32WindowSystem(GetModuleHandleW(nullptr), language), dir_(std::move(dir)) {}
  std::string DataDirectory() override { return dir_; }

 private:
  std::string dir_;
};

ConversionRunner NoConversion() {
  return [](const ConversionRequest&, ConversionHost&) { return ConversionResult{}; };
}

std::function<void()> g_onTimer;

void CALLBACK FireOnce(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto action = std::move(g_onTimer);
  if (action) action();
}

// Runs action from the next modal loop that picks up thread messages.
void Soon(std::function<void()> action) {
  g_onTimer = std::move(action);
  SetTimer(nullptr, 0, 10, FireOnce);
}

std::string WindowText(HWND h) {
  wchar_t buf[1024] = {};
  GetWindowTextW(h, buf, 1024);
  return Narrow(buf, BadText::kReplace);
}

// The child of dialog that shows text, or nullptr.
HWND ChildWithText(HWND dialog, const std::string& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return child;
  }
  return nullptr;
}

// Whether a static's or a button's text, in the control's own font, fits
// its width: the painted part of the text (the last letter's blank right edge
// left out) within the client area, a button's less the two pixels its frame
// takes on each side.
bool TextFitsItsBox(HWND control) {
  // As painted: an access key's "&" is an underline, "&&" one "&".
  std::wstring text;
  const std::wstring written = Widen(WindowText(control), BadText::kReplace);
  const bool prefixes = !(GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX);
  for (size_t i = 0; i < written.size(); ++i) {
    if (prefixes && written[i] == L'&' && i + 1 < written.size()) ++i;
    text += written[i];
  }
  if (text.empty()) return false;
  HDC dc = GetDC(control);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  ABC last{};
  GetCharABCWidthsW(dc, text.back(), text.back(), &last);
  RECT box{};
  GetClientRect(control, &box);
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  const int frame = lstrcmpiW(kind, L"Button") == 0 ? 4 : 0;
  const int painted = extent.cx - std::max(0, last.abcC);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return painted > 0 && painted <= box.right - box.left - frame;
}

// The texts of a dialog's shown statics and buttons that do not fit their
// controls, one per line.
std::string ClippedTexts(HWND dialog) {
  std::string clipped;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const bool textControl = lstrcmpiW(kind, L"Button") == 0 ||
                             (lstrcmpiW(kind, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON);
    if (!textControl || !(style & WS_VISIBLE) || WindowText(child).empty()) continue;
    if (!TextFitsItsBox(child)) clipped += WindowText(child) + "\n";
  }
  return clipped;
}

// A control's client area as it draws itself, top row first.
std::vector<COLORREF> Printed(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = r.right;
  info.bmiHeader.biHeight = -r.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  // A DIB's pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
  std::vector<COLORREF> pixels;
  for (const DWORD p : std::vector<DWORD>(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + r.right * r.bottom)) {
    pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

TEXTMETRICW FontMetrics(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return metrics;
}

// Whether the control's font draws an underscore at its size: wine's stand-in
// for the dialog fonts (IPAGothic) draws none at 11 and 12 pixels.
bool FontDrawsUnderscore(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  GLYPHMETRICS glyph{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const DWORD bytes = GetGlyphOutlineW(dc, L'_', GGO_BITMAP, &glyph, 0, nullptr, &identity);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return bytes != 0 && bytes != GDI_ERROR;
}

// What the path boxes need to show a name whole, one fault per line: a text
// area as tall as the font, its descent included, and the underscore of
// song_aac.wav drawn wherever the font draws one.
std::string PathBoxFaults(HWND dialog) {
  std::string faults;
  for (const int id : {kIdcInFile, kIdcOutFile}) {
    HWND box = GetDlgItem(dialog, id);
    RECT format{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    RECT client;
    GetClientRect(box, &client);
    const LONG font = FontMetrics(box).tmHeight;
    if (format.bottom - format.top < font || client.bottom < font) {
      faults += std::to_string(id) + ": text area " + std::to_string(format.bottom - format.top) +
                " pixels for a font of " + std::to_string(font) + "\n";
    }
  }
  // The output box: its text set here is no new input.
  HWND box = GetDlgItem(dialog, kIdcOutFile);
  if (FontDrawsUnderscore(box)) {
    const std::string kept = WindowText(box);
    SetWindowTextW(box, L"song_aac.wav");
    const std::vector<COLORREF> with = Printed(box);
    SetWindowTextW(box, L"song aac.wav");
    const std::vector<COLORREF> without = Printed(box);
    SetWindowTextW(box, Widen(kept, BadText::kReplace).c_str());
    if (with == without) faults += "the output box shows no underscore\n";
  }
  return faults;
}

// What a person would see wrong in a dialog's shown controls, one per line:
// a control reaching out of the client area, two controls overlapping, a
// text that does not fit its control, a size choice not shown whole.
std::string LayoutFaults(HWND dialog) {
  std::vector<std::pair<HWND, RECT>> shown;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    shown.emplace_back(child, r);
  }
  RECT client;
  GetClientRect(dialog, &client);
  const auto name = [](HWND h) { return std::to_string(GetDlgCtrlID(h)) + " " + WindowText(h); };
  std::string faults;
  for (size_t i = 0; i < shown.size(); ++i) {
    const RECT& a = shown[i].second;
    if (a.left < 0 || a.top < 0 || a.right > client.right || a.bottom > client.bottom) {
      faults += name(shown[i].first) + " outside the window\n";
    }
    for (size_t j = i + 1; j < shown.size(); ++j) {
      RECT both;
      if (IntersectRect(&both, &a, &shown[j].second)) {
        faults += name(shown[i].first) + " overlaps " + name(shown[j].first) + "\n";
      }
    }
  }
  if (HWND combo = GetDlgItem(dialog, kIdcOutputSize)) {
    // Its text area, without the arrow button, holds the longest entry.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"1/2", 3, &extent);
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    if (extent.cx > info.rcItem.right - info.rcItem.left) faults += "the size choice is cut\n";
  }
  return faults + ClippedTexts(dialog) + PathBoxFaults(dialog);
}

// Whether a multi-line edit shows all its text without scrolling: every
// line's width and all lines' height within its formatting rectangle.
bool ShowsAllItsText(HWND edit) {
  const std::wstring text = Widen(WindowText(edit), BadText::kReplace);
  RECT format{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  RECT need{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return need.right - need.left <= format.right - format.left && need.bottom - need.top <= format.bottom - format.top;
}

void Command(HWND dialog, int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Writes an AAC file of `frames` ADTS frames of 200 bytes each into dir.
void WriteAac(const TempDir& dir, const std::string& name, int frames) {
  testing::AdtsFields frame;
  frame.frame_length = 200;
  const testing::Bytes input = testing::AdtsStream().Frames(frames, frame).bytes();
  testing::WriteFile(dir.File(name), std::string(input.begin(), input.end()));
}

// Runs the main dialog; once it is open, check runs on it and then the
// dialog is closed with closeWith (also when check stopped at a failure).
INT_PTR RunDialog(TestWindowSystem& ws, CTessaroDlg& dlg, std::function<void(HWND)> check,
                  int closeWith = kIdCancel) {
  Soon([&] {
    check(ws.MainWindow());
    Command(ws.MainWindow(), closeWith);
  });
  return ws.RunMainDialog(dlg);
}

TEST(Win32MainWindow, OpensWithVersionCaptionAboutEntryAndSizeChoices) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  const INT_PTR result = RunDialog(ws, dlg, [&](HWND main) {
    EXPECT_EQ(WindowText(main), testing::kVersionText);

    HMENU menu = GetSystemMenu(main, FALSE);
    const int n = GetMenuItemCount(menu);
    ASSERT_GE(n, 2);
    EXPECT_EQ(GetMenuItemID(menu, n - 1), static_cast<UINT>(kIdmAboutBox));
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(n - 1), text, 128, MF_BYPOSITION);
    EXPECT_EQ(Narrow(text, BadText::kReplace), "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(n - 2), MF_BYPOSITION) & MF_SEPARATOR);

    HWND combo = GetDlgItem(main, kIdcOutputSize);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    for (int i = 0; i < 2; ++i) {
      wchar_t item[16] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      EXPECT_EQ(std::wstring(item), i == 0 ? L"1/1" : L"1/2");
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    // No settings file: the initial position, at least the initial size
    // (larger where a whole report needs it).
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 192);
    EXPECT_EQ(r.top, 128);
    EXPECT_GE(r.right - r.left, 512);
    EXPECT_GE(r.bottom - r.top, 144);
    EXPECT_TRUE(ws.ErrorWindow() && !IsWindowVisible(ws.ErrorWindow()));
  });
  EXPECT_EQ(result, kIdCancel);
}

// The file is in the system's code page (Shift-JIS here), as the settings of
// earlier versions were, and reads back to the same path.
TEST(Win32MainWindow, ClosingWritesTheSevenSettingsLines) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  RunDialog(ws, dlg, [&](HWND main) {
    SetDlgItemTextW(main, kIdcInFile, L"C:\\音楽\\a=b.aac");
    SendDlgItemMessageW(main, kIdcOutputSize, CB_SETCURSEL, 1, 0);
    SetWindowPos(main, nullptr, 10, 20, 600, 200, SWP_NOZORDER);
  });
  EXPECT_EQ(ReadFile(dir.Dir() + "TSR.ini"),
            "PosX=10\r\nPosY=20\r\nSizeX=600\r\nSizeY=200\r\nETime=20\r\n"
            "InFile=C:\\\x89\xb9\x8a\x79\\a=b.aac\r\nOutputSize=1\r\n");
  CTessaroDlg reopened(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  EXPECT_EQ(reopened.m_strInFile, "C:\\音楽\\a=b.aac");
}

// The close box, Alt+F4 and Close of the system menu arrive as WM_CLOSE
// while the conversion pumps messages: the conversion stops, its new file is
// removed, and the window closes with the settings saved.
TEST(Win32MainWindow, ClosingDuringAConversionCancelsItThenSavesAndCloses) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  WriteAac(dir, "in.aac", 50);
  bool visibleAfterCloseRequests = false;
  bool savedDuringConversion = true;
  CTessaroDlg dlg(ws, CommandLine{}, [&](const ConversionRequest& request, ConversionHost& host) {
    PostMessageW(ws.MainWindow(), WM_CLOSE, 0, 0);
    PostMessageW(ws.MainWindow(), WM_CLOSE, 0, 0);  // a second request: nothing more
    const ConversionResult result = DefaultConversionRunner()(request, host);
    visibleAfterCloseRequests = IsWindowVisible(ws.MainWindow()) != FALSE;
    savedDuringConversion = testing::FileExists(dir.File("TSR.ini"));
    return result;
  }, Language::kJapanese);
  Soon([&] {
    SetDlgItemTextW(ws.MainWindow(), kIdcInFile, (dir.Wide() + L"in.aac").c_str());
    SetDlgItemTextW(ws.MainWindow(), kIdcOutFile, (dir.Wide() + L"out.wav").c_str());
    Command(ws.MainWindow(), kIdcConvert);
  });
  EXPECT_EQ(ws.RunMainDialog(dlg), kIdCancel);  // closed once the conversion returned
  EXPECT_TRUE(visibleAfterCloseRequests);
  EXPECT_FALSE(savedDuringConversion);
  EXPECT_FALSE(testing::FileExists(dir.File("out.wav")));
  EXPECT_EQ(dlg.m_strInfo, "エラー：変換が、中断されました。出力ファイルは、元のままです。\r\n");
  EXPECT_NE(ReadFile(dir.File("TSR.ini")).find("\\in.aac\r\n"), std::string::npos);
}

bool g_keyUnanswered = false;

// A key as the keyboard gives it to the focused control, handed to the
// dialog manager as the dialog's own loop hands it (which gives Enter and
// Esc their dialog meaning).
void PressKey(HWND dialog, HWND control, WPARAM key) {
  for (const auto& [message, flags] : {std::pair{WM_KEYDOWN, LPARAM{1}},
                                       std::pair{WM_KEYUP, LPARAM{0xC0000001}}}) {
    MSG msg{control, static_cast<UINT>(message), key, flags, 0, {}};
    if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
  }
}

// Enter in either path box or on the convert button converts and leaves the
// window open, the focus on the cancel button meanwhile and back where it was
// afterwards; Esc then closes it with the settings saved, as the close box
// does.
TEST(Win32MainWindow, EnterConvertsAndEscClosesWithTheSettingsSaved) {
  for (const int focus : {kIdcInFile, kIdcOutFile, kIdcConvert}) {
    SCOPED_TRACE(focus);
    TempDir dir;
    TestWindowSystem ws(dir.Dir());
    std::vector<std::string> converted;
    int focusDuring = 0;
    int focusAfter = 0;
    CTessaroDlg dlg(ws, CommandLine{},
                    [&](const ConversionRequest& request, ConversionHost&) {
                      converted.push_back(request.inputPath);
                      focusDuring = GetDlgCtrlID(GetFocus());
                      return ConversionResult{};
                    },
                    Language::kJapanese);
    const std::string typed = dir.File("typed.aac");
    bool openAfterEnter = false;
    g_keyUnanswered = false;
    Soon([&] {
      HWND main = ws.MainWindow();
      SetDlgItemTextW(main, kIdcInFile, Widen(typed, BadText::kReplace).c_str());
      HWND control = GetDlgItem(main, focus);
      SetActiveWindow(main);
      SendMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);

      PressKey(main, control, VK_RETURN);
      focusAfter = GetDlgCtrlID(GetFocus());
      Soon([&, control] {
        openAfterEnter = IsWindow(ws.MainWindow()) && IsWindowVisible(ws.MainWindow());
        PressKey(ws.MainWindow(), control, VK_ESCAPE);
      });
      // Should a key go unanswered: closed after two seconds, and seen so.
      SetTimer(main, 1, 2000, [](HWND window, UINT, UINT_PTR, DWORD) {
        KillTimer(window, 1);
        g_keyUnanswered = true;
        Command(window, kIdCancel);
      });
    });
    EXPECT_EQ(ws.RunMainDialog(dlg), kIdCancel);
    EXPECT_EQ(converted, std::vector<std::string>{typed});
    EXPECT_EQ(focusDuring, kIdcConvert);
    EXPECT_EQ(focusAfter, focus);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_FALSE(g_keyUnanswered);
    EXPECT_NE(ReadFile(dir.File("TSR.ini")).find("\\typed.aac\r\n"), std::string::npos);
  }
}

TEST(Win32MainWindow, ControlsFollowTheClientSizeAndTrackingIsLimited) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  RunDialog(ws, dlg, [&](HWND main) {
    // A client area of 400 x 120 pixels (100 would be below the minimum).
    RECT outer = {0, 0, 400, 120};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE)));
    SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(main, &client);
    ASSERT_EQ(client.right, 400);
    ASSERT_EQ(client.bottom, 120);
    // Columns as wide as the window's texts need, never narrower than the
    // 44-pixel buttons, 36-pixel labels and 50-pixel size label.
    const TextRoom room = ws.MainTextRoom();
    const int b = std::max(44, room.buttonColumn);
    const int l = std::max(36, room.labelColumn);
    const int s = std::max(50, room.sizeLabel);
    const int right = 400 - b - 4;
    ASSERT_GT(room.editorsChoice, 20);
    const int e = std::max(50, right - s - 14 - room.editorsChoice);  // the editors' check box
    struct Case {
      int id, x, y, w, h;
    } cases[] = {
        {kIdcBrowseIn, right, 6, b, 20},  {kIdcBrowseOut, right, 32, b, 20},
        {kIdcSizeLabel, right - s - 6, 60, s, 12}, {kIdcConvert, right, 80, b, 36},
        {kIdcInFile, l + 4, 6, right - 12 - l, 20},     {kIdcOutFile, l + 4, 32, right - 12 - l, 20},
        {kIdcProgress, 4, 58, e - 10, 16},   {kIdcInfo, 4, 80, right - 12, 36},
        {kIdcForEditors, e, 58, right - s - 14 - e, 16},
    };
    for (const Case& c : cases) {
      RECT r;
      GetWindowRect(GetDlgItem(main, c.id), &r);
      MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(r.left, c.x) << c.id;
      EXPECT_EQ(r.top, c.y) << c.id;
      EXPECT_EQ(r.right - r.left, c.w) << c.id;
      EXPECT_EQ(r.bottom - r.top, c.h) << c.id;
    }
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 4000};
    SendMessageW(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 224);
    EXPECT_EQ(info.ptMinTrackSize.y, 136);
    EXPECT_EQ(info.ptMaxTrackSize.x, 1280);
    EXPECT_EQ(info.ptMaxTrackSize.y, 4000);  // the system's own
    EXPECT_FALSE(GetWindowLongW(main, GWL_STYLE) & WS_MAXIMIZEBOX);
  });
}

// An HDROP as the shell hands it over: DROPFILES and a double-NUL list.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files) {
  std::wstring list;
  for (const auto& f : files) list += f + L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL h = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(h));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(h);
  return h;
}

TEST(Win32MainWindow, ADroppedFileBecomesTheInputWholeAndTheOutputIsDerived) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  // Longer than the 255 characters an ANSI buffer would keep.
  const std::wstring folder = L"C:\\" + std::wstring(300, L'長') + L"\\";
  RunDialog(ws, dlg, [&](HWND main) {
    SetDlgItemTextW(main, kIdcInfo, L"old report");
    SendMessageW(main, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({folder + L"曲 DELAY -50ms.aac"})), 0);
    EXPECT_EQ(ws.GetControlText(kIdcInFile), Narrow(folder + L"曲 DELAY -50ms.aac", BadText::kReplace));
    EXPECT_EQ(ws.GetControlText(kIdcOutFile), Narrow(folder + L"曲 DELAY 0ms_aac.wav", BadText::kReplace));
    EXPECT_EQ(ws.GetControlText(kIdcInfo), "");
  });
  EXPECT_EQ(dlg.m_nDelay, -50);
}

// A saved position off every screen is moved onto the nearest one's work area.
TEST(Win32MainWindow, ASavedPositionOffTheScreensIsMovedOntoOne) {
  TempDir dir;
  testing::WriteFile(dir.File("TSR.ini"),
                     "PosX=5000\r\nPosY=-3000\r\nSizeX=600\r\nSizeY=200\r\nETime=20\r\nInFile=\r\nOutputSize=0\r\n");
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  RunDialog(ws, dlg, [&](HWND main) {
    RECT r;
    GetWindowRect(main, &r);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &info);
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &r, &info.rcWork) && EqualRect(&inside, &r))
        << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
    EXPECT_EQ(r.right - r.left, 600);
  });
}

// At the first start (no settings) the window is large enough for the whole
// report of a conversion, in either language.
TEST(Win32MainWindow, AtTheFirstStartTheWholeReportIsShown) {
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    TempDir dir;
    TestWindowSystem ws(dir.Dir(), language);
    WriteAac(dir, "in DELAY 120ms.aac", 50);
    CTessaroDlg dlg(ws, CommandLine{}, DefaultConversionRunner(), language);
    RunDialog(ws, dlg, [&](HWND main) {
      SetDlgItemTextW(main, kIdcInFile, (dir.Wide() + L"in DELAY 120ms.aac").c_str());
      Command(main, kIdcConvert);
      EXPECT_NE(WindowText(GetDlgItem(main, kIdcInfo)).find("\r\n"), std::string::npos);
      EXPECT_TRUE(ShowsAllItsText(GetDlgItem(main, kIdcInfo))) << WindowText(GetDlgItem(main, kIdcInfo));
    });
  }
}

// The editors' check box, ticked, writes their blocks and is kept.
TEST(Win32MainWindow, TheEditorsCheckBoxWritesTheirBlocksAndIsKept) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  WriteAac(dir, "a.aac", 5);
  CTessaroDlg dlg(ws, CommandLine{}, DefaultConversionRunner(), Language::kEnglish);
  RunDialog(ws, dlg, [&](HWND main) {
    SendDlgItemMessageW(main, kIdcForEditors, BM_CLICK, 0, 0);
    ASSERT_EQ(IsDlgButtonChecked(main, kIdcForEditors), BST_CHECKED);
    SetDlgItemTextW(main, kIdcInFile, (dir.Wide() + L"a.aac").c_str());
    Command(main, kIdcConvert);
  });
  EXPECT_NE(testing::ReadFile(dir.File("a_aac.wav")).find("TSRADTS\x01"), std::string::npos);
  EXPECT_TRUE(testing::ReadFile(dir.File("TSR.ini")).ends_with("OutputSize=0\r\nForEditors=1\r\n"));
}

// Several dropped files convert in turn; during a conversion the convert
// button is the cancel button, and pressing it or Esc stops the queue: the
// file being converted is not written and the next is not started.
TEST(Win32MainWindow, SeveralDroppedFilesConvertInTurnUntilCancelled) {
  for (const bool withEsc : {false, true}) {
    SCOPED_TRACE(withEsc ? "Esc" : "the cancel button");
    TempDir dir;
    TestWindowSystem ws(dir.Dir());
    for (const char* name : {"a.aac", "b.aac", "c.aac"}) WriteAac(dir, name, 50);
    std::vector<std::string> buttonTexts;
    CTessaroDlg dlg(ws, CommandLine{}, [&](const ConversionRequest& request, ConversionHost& host) {
      buttonTexts.push_back(ws.GetControlText(kIdcConvert));
      if (buttonTexts.size() == 2 && withEsc) {
        PostMessageW(GetDlgItem(ws.MainWindow(), kIdcConvert), WM_KEYDOWN, VK_ESCAPE, 0);
      } else if (buttonTexts.size() == 2) {
        PostMessageW(ws.MainWindow(), WM_COMMAND, MAKEWPARAM(kIdcConvert, BN_CLICKED), 0);
      }
      return DefaultConversionRunner()(request, host);
    }, Language::kJapanese);
    RunDialog(ws, dlg, [&](HWND main) {
      SendMessageW(main, WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({dir.Wide() + L"a.aac", dir.Wide() + L"b.aac",
                                                      dir.Wide() + L"c.aac"})), 0);
      EXPECT_EQ(ws.GetControlText(kIdcConvert), "変換");
    });
    EXPECT_EQ(buttonTexts, (std::vector<std::string>{"中止", "中止"}));
    EXPECT_TRUE(testing::FileExists(dir.File("a_aac.wav")));
    EXPECT_FALSE(testing::FileExists(dir.File("b_aac.wav")));
    EXPECT_FALSE(testing::FileExists(dir.File("c_aac.wav")));
  }
}

// After a damaged file the progress bar is drawn red with the mark's word on
// it in white (as the Qt window shows it), a tooltip says where the report
// is, and the system menu can show the report again; the next conversion
// takes the mark away.
TEST(Win32MainWindow, TheDamageMarkIsARedBarWithItsWordATipAndAMenuEntry) {
  struct Case {
    Language language;
    const wchar_t* entry;
  } cases[] = {{Language::kJapanese, L"データ異常の報告を再表示(&D)"},
               {Language::kEnglish, L"Show the &damage report again"}};
  for (const Case& c : cases) {
    TempDir dir;
    TestWindowSystem ws(dir.Dir(), c.language);
    CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), c.language);
    RunDialog(ws, dlg, [&](HWND main) {
      HMENU menu = GetSystemMenu(main, FALSE);
      HWND bar = GetDlgItem(main, kIdcProgress);
      SendMessageW(bar, PBM_SETPOS, 100, 0);
      HWND tip = nullptr;
      while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tip, GW_OWNER) != main) {
      }
      ASSERT_TRUE(tip);
      for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        ws.SetDamageMark(shown);
        wchar_t entry[64] = {};
        const int found = GetMenuStringW(menu, kIdmDamageReport, entry, 64, MF_BYCOMMAND);
        EXPECT_EQ(found > 0 ? std::wstring(entry) : L"", shown ? c.entry : L"");
        const std::vector<COLORREF> pixels = Printed(bar);
        const auto red = std::count(pixels.begin(), pixels.end(), RGB(190, 30, 30));
        EXPECT_EQ(red > 0, shown);
        if (shown) {  // the word, white on the red
          EXPECT_GT(std::count(pixels.begin(), pixels.end(), RGB(255, 255, 255)), 0);
          EXPECT_GT(red, static_cast<long long>(pixels.size()) / 2);
        }
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = main;
        tool.uId = reinterpret_cast<UINT_PTR>(bar);
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0, shown);
      }
    });
  }
}

// The name a screen reader reads for a control (its client object's).
std::string AccessibleName(HWND control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return "(none)";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = object->get_accName(self, &name);
  std::string text = got == S_OK && name ? Narrow(name, BadText::kReplace) : "(none)";
  SysFreeString(name);
  object->Release();
  return text;
}

// Screen readers name the path boxes, the information box and the error
// window's message by the static before each (the last two hidden ones),
// and the progress bar by its text. The size choice is named by its label
// just before it, which only Windows' own accessibility reads (wine's gives a
// drop-down list its entry): checked as the order of the two.
TEST(Win32MainWindow, ScreenReadersNameTheBoxesTheBarAndTheMessage) {
  struct Case {
    Language language;
    // input, output, information, progress, the editors' check box, message
    std::vector<std::string> names;
  } cases[] = {
      {Language::kJapanese, {"入力", "出力", "報告", "進行状況", "編集ソフト用", "メッセージ"}},
      {Language::kEnglish, {"Input", "Output", "Report", "Progress", "For editors", "Message"}},
  };
  CoInitialize(nullptr);
  for (const Case& c : cases) {
    TempDir dir;
    TestWindowSystem ws(dir.Dir(), c.language);
    CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), c.language);
    RunDialog(ws, dlg, [&](HWND main) {
      std::vector<std::string> names;
      for (const int id : {kIdcInFile, kIdcOutFile, kIdcInfo, kIdcProgress, kIdcForEditors}) {
        names.push_back(AccessibleName(GetDlgItem(main, id)));
      }
      names.push_back(AccessibleName(GetDlgItem(ws.ErrorWindow(), kIdcErrorMessage)));
      EXPECT_EQ(names, c.names);
      EXPECT_EQ(GetWindow(GetDlgItem(main, kIdcOutputSize), GW_HWNDPREV), GetDlgItem(main, kIdcSizeLabel));
      // Tab goes from the size choice to the editors' check box.
      EXPECT_EQ(GetNextDlgTabItem(main, GetDlgItem(main, kIdcOutputSize), FALSE),
                GetDlgItem(main, kIdcForEditors));
    });
  }
  CoUninitialize();
}

// Explorer's window of a folder (wine's explorer.exe too), found by the
// folder's name in its caption; nullptr when there is none.
HWND FolderWindow(const std::wstring& name) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"ExplorerWClass", nullptr)) != nullptr) {
    if (WindowText(found) == Narrow(name, BadText::kReplace)) return found;
  }
  return nullptr;
}

// After a conversion the system menu shows the output in its folder
// (Explorer, with the file selected); where not even its folder can be
// opened, the error window says so.
TEST(Win32MainWindow, TheSystemMenuShowsTheOutputInItsFolderOrSaysItCannot) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, [](const ConversionRequest& request, ConversionHost&) {
    testing::WriteFile(request.outputPath, "x");  // fails quietly in a missing folder
    return ConversionResult{};
  }, Language::kJapanese);
  const std::wstring folder = dir.Wide().substr(0, dir.Wide().size() - 1);
  const std::wstring folderName = folder.substr(folder.find_last_of(L'\\') + 1);
  RunDialog(ws, dlg, [&](HWND main) {
    HMENU menu = GetSystemMenu(main, FALSE);
    EXPECT_EQ(GetMenuState(menu, kIdmShowOutput, MF_BYCOMMAND), static_cast<UINT>(-1));  // not yet
    SetDlgItemTextW(main, kIdcInFile, (dir.Wide() + L"曲.aac").c_str());
    Command(main, kIdcConvert);
    ASSERT_NE(GetMenuState(menu, kIdmShowOutput, MF_BYCOMMAND), static_cast<UINT>(-1));
    SendMessageW(main, WM_SYSCOMMAND, kIdmShowOutput, 0);
    HWND shown = nullptr;
    for (int tenths = 0; tenths < 600 && !(shown = FolderWindow(folderName)); ++tenths) Sleep(100);
    ASSERT_TRUE(shown) << "no folder window";
    // Closed again, and its program ended, before the test goes on.
    DWORD pid = 0;
    GetWindowThreadProcessId(shown, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(shown, WM_CLOSE, 0, 0);
    if (process) {
      EXPECT_EQ(WaitForSingleObject(process, 60000), WAIT_OBJECT_0);
      CloseHandle(process);
    }
    EXPECT_EQ(ws.GetControlText(kIdcErrorMessage), "");

    SetDlgItemTextW(main, kIdcOutFile, (dir.Wide() + L"無い\\曲_aac.wav").c_str());
    Command(main, kIdcConvert);
    dlg.m_nETime = 1;
    SendMessageW(main, WM_SYSCOMMAND, kIdmShowOutput, 0);
    EXPECT_EQ(ws.GetControlText(kIdcErrorMessage),
              "エラー：出力ファイル（" + dir.File("無い\\曲_aac.wav") + "）を、フォルダーで表示できません。\r\n");
  });
}

TEST(Win32MainWindow, TheAboutEntryOpensTheAboutBoxWithTheVersion) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  bool aboutSeen = false;
  RunDialog(ws, dlg, [&](HWND main) {
    Soon([&] {  // runs inside the about box's own modal loop
      HWND about = FindWindowW(nullptr, L"Tessaroのﾊﾞｰｼﾞｮﾝ情報");
      aboutSeen = about && GetWindow(about, GW_OWNER) == main;
      EXPECT_EQ(WindowText(GetDlgItem(about, kIdcVersion)), testing::kVersionText);
      HWND notice = ChildWithText(about, kAboutNotice);  // the same text as the Qt box's
      EXPECT_TRUE(notice != nullptr && TextFitsItsBox(notice));
      Command(about, kIdOk);
    });
    SendMessageW(main, WM_SYSCOMMAND, kIdmAboutBox, 0);
  });
  EXPECT_TRUE(aboutSeen);
}

// The resources of the chosen language, whatever language Windows has; in
// each, every text of the three dialogs fits its control in the dialog's font.
TEST(Win32MainWindow, TheChosenLanguagesDialogsShowEveryTextWhole) {
  struct Case {
    Language language;
    const char* convert;
    const char* errorCaption;
    const char* aboutCaption;
    const wchar_t* aboutEntry;
    const wchar_t* sizeTip;
    // Which file each browse button is for (their tooltips), and the
    // progress bar's name (its text, read by screen readers), also damaged.
    std::vector<std::wstring> browseTips;
    const char* progressName;
    const char* damagedProgressName;
    const wchar_t* editorsTip;
  } cases[] = {
      {Language::kJapanese, "変換", "TSR エラーメッセージ", "Tessaroのﾊﾞｰｼﾞｮﾝ情報", L"Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...",
       L"1/1：16ビット、1/2：8ビット（ファイルサイズ半分）",
       {L"入力ファイルを参照...", L"出力ファイルを参照..."}, "進行状況", "進行状況：データ異常",
       L"AACからWAVへの変換で、動画編集ソフトがそのまま残すブロックで書きます。"},
      {Language::kEnglish, "&Convert", "Message from Tessaro", "About Tessaro", L"&About Tessaro…",
       L"1/1: 16-bit samples; 1/2: 8-bit samples, half the file size",
       {L"Browse for the input file…", L"Browse for the output file…"}, "Progress",
       "Progress: damaged",
       L"AAC to WAV: writes the blocks in a form that video editors keep as they are."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.convert);
    TempDir dir;
    TestWindowSystem ws(dir.Dir(), c.language);
    CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), c.language);
    bool aboutSeen = false;
    RunDialog(ws, dlg, [&](HWND main) {
      EXPECT_EQ(WindowText(GetDlgItem(main, kIdcConvert)), c.convert);
      EXPECT_EQ(ClippedTexts(main), "");
      HMENU menu = GetSystemMenu(main, FALSE);
      wchar_t entry[64] = {};
      GetMenuStringW(menu, kIdmAboutBox, entry, 64, MF_BYCOMMAND);
      EXPECT_EQ(std::wstring(entry), c.aboutEntry);
      // The size choice's tooltip, over the combo box and its label.
      HWND tip = nullptr;
      while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tip, GW_OWNER) != main) {
      }
      ASSERT_TRUE(tip);
      EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 5);
      const std::pair<int, std::wstring> tips[] = {{kIdcOutputSize, c.sizeTip},
                                                   {kIdcSizeLabel, c.sizeTip},
                                                   {kIdcBrowseIn, c.browseTips[0]},
                                                   {kIdcBrowseOut, c.browseTips[1]},
                                                   {kIdcForEditors, c.editorsTip}};
      for (const auto& [id, text] : tips) {
        wchar_t shown[128] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = main;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(main, id));
        tool.lpszText = shown;
        SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::wstring(shown), text) << id;
      }
      EXPECT_EQ(WindowText(GetDlgItem(main, kIdcProgress)), c.progressName);
      ws.SetDamageMark(true);
      EXPECT_EQ(WindowText(GetDlgItem(main, kIdcProgress)), c.damagedProgressName);
      ws.SetDamageMark(false);
      dlg.m_nETime = 1;
      dlg.ShowErrorMessage("-", 0);  // with its countdown text
      EXPECT_EQ(WindowText(ws.ErrorWindow()), c.errorCaption);
      EXPECT_EQ(ClippedTexts(ws.ErrorWindow()), "");
      Soon([&] {
        HWND about = FindWindowW(nullptr, Widen(c.aboutCaption, BadText::kReplace).c_str());
        aboutSeen = about != nullptr;
        EXPECT_EQ(ClippedTexts(about), "");
        Command(about, kIdOk);
      });
      SendMessageW(main, WM_SYSCOMMAND, kIdmAboutBox, 0);
    });
    EXPECT_TRUE(aboutSeen);
  }
}

TEST(Win32MainWindow, TheErrorWindowShowsTheMessageCountsDownAndHides) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  RunDialog(ws, dlg, [&](HWND) {
    HWND error = ws.ErrorWindow();
    ASSERT_TRUE(error);
    EXPECT_EQ(WindowText(error), "TSR エラーメッセージ");
    EXPECT_EQ(WindowText(GetDlgItem(error, kIdcCountdown)), "");  // not the template's "秒"
    // A long damage list can be scrolled and read before the countdown ends.
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(error, kIdcErrorMessage), GWL_STYLE) & WS_VSCROLL);
    dlg.m_nETime = 2;
    dlg.ShowErrorMessage("エラー：データ異常\r\n2行目\r\n", 1);
    EXPECT_FALSE(IsWindowVisible(error));
    EXPECT_EQ(ws.GetControlText(kIdcErrorMessage), "エラー：データ異常\r\n2行目\r\n");
    EXPECT_EQ(ws.GetControlText(kIdcCountdown), "あと  0.1秒で消えます。");
  });
  const std::string log = ReadFile(dir.Dir() + "TSR_ErrorLog.txt");
  EXPECT_NE(log.find("\t"), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

// The layout in pixels of a 96-dpi screen, the window's size and the font
// follow the window's DPI: at the DPI the window opens with (scripts/
// test-windows runs this at 96, 120, 144 and 192 dpi through wine's
// LogPixels) and after the window has moved to a screen of each of those.
TEST(Win32MainWindow, AtEveryDpiNoControlIsClippedOrOverlapsAnother) {
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    SCOPED_TRACE(language == Language::kJapanese ? "ja" : "en");
    TempDir dir;
    TestWindowSystem ws(dir.Dir(), language);
    CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), language);
    RunDialog(ws, dlg, [&](HWND main) {
      HDC screen = GetDC(nullptr);
      const int systemDpi = GetDeviceCaps(screen, LOGPIXELSX);
      ReleaseDC(nullptr, screen);
      RECT r;
      GetWindowRect(main, &r);
      // The first start's at least 512 x 144 layout pixels, at the DPI.
      EXPECT_GE(r.right - r.left, MulDiv(512, systemDpi, 96)) << systemDpi;
      EXPECT_GE(r.bottom - r.top, MulDiv(144, systemDpi, 96)) << systemDpi;
      EXPECT_EQ(LayoutFaults(main), "") << systemDpi << " dpi";
      LOGFONTW first{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(main, WM_GETFONT, 0, 0)), sizeof first, &first);
      int dpi = systemDpi;
      for (const int next : {120, 144, 192, 96}) {
        // wine keeps the system's metrics (a combo box's arrow) at the DPI
        // the program started with: no move to a screen of fewer dots.
        if (next < systemDpi) continue;
        // As Windows suggests it: the same size in layout pixels.
        GetWindowRect(main, &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, next, dpi),
                       r.top + MulDiv(r.bottom - r.top, next, dpi)};
        SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
        dpi = next;
        EXPECT_EQ(LayoutFaults(main), "") << next << " dpi";
        LOGFONTW now{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(main, kIdcConvert), WM_GETFONT, 0, 0)),
                   sizeof now, &now);
        EXPECT_NEAR(now.lfHeight, MulDiv(first.lfHeight, next, systemDpi), 1) << next << " dpi";
        const WinRect client = ws.GetClientRect(DialogWindow::kMain);
        RECT device;
        GetClientRect(main, &device);
        EXPECT_NEAR(device.right, MulDiv(client.right, next, 96), 1) << next << " dpi";
      }
    });
  }
}

// Each tick sets the countdown only: the user can scroll a long damage list
// while it counts down, and the window shows the program's icon.
TEST(Win32MainWindow, TheErrorMessageKeepsItsScrollPositionWhileItCountsDownNotOnceShownAgain) {
  TempDir dir;
  TestWindowSystem ws(dir.Dir());
  CTessaroDlg dlg(ws, CommandLine{}, NoConversion(), Language::kJapanese);
  RunDialog(ws, dlg, [&](HWND) {
    HWND error = ws.ErrorWindow();
    HWND message = GetDlgItem(error, kIdcErrorMessage);
    EXPECT_NE(SendMessageW(error, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(error, WM_GETICON, ICON_BIG, 0), 0);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "00:00:" + std::to_string(10 + i) + ".00\r\n";
    LRESULT scrolledTo = -1;
    Soon([&] {  // runs inside the countdown's pump, after its first tick
      SendMessageW(message, EM_LINESCROLL, 0, 20);
      scrolledTo = SendMessageW(message, EM_GETFIRSTVISIBLELINE, 0, 0);
    });
    dlg.m_nETime = 5;
    dlg.ShowErrorMessage(text, 0);
    EXPECT_EQ(scrolledTo, 20);
    EXPECT_EQ(SendMessageW(message, EM_GETFIRSTVISIBLELINE, 0, 0), 20);
    EXPECT_EQ(ws.GetControlText(kIdcCountdown), "あと  0.1秒で消えます。");
    // The same report shown again (the menu entry) starts at its head.
    LRESULT shownAgainAt = -1;
    Soon([&] { shownAgainAt = SendMessageW(message, EM_GETFIRSTVISIBLELINE, 0, 0); });
    dlg.ShowErrorMessage(text, 0);
    EXPECT_EQ(shownAgainAt, 0);
  });
}

// The tests run with a Japanese Windows display language (scripts/test-windows).
TEST(Win32ProgramLanguage, LangTokensChooseAndLeaveTheCommandLineElseWindowsDecides) {
  struct Case {
    const char* raw;
    Language language;
    bool empty;
    std::vector<std::string> tokens;
  } cases[] = {
      {"", Language::kJapanese, true, {}},
      {"--lang=en", Language::kEnglish, true, {}},  // the dialog opens, in English
      {"--lang=en --lang=ja", Language::kJapanese, true, {}},
      {"--lang=en -s2 a.aac", Language::kEnglish, false, {"-s2", "a.aac"}},
      {"--lang=fr a.aac", Language::kJapanese, false, {"--lang=fr", "a.aac"}},
  };
  for (const Case& c : cases) {
    CommandLine line = CommandLineFromRaw(c.raw);
    const ProgramStart start = ReadProgramStart(line.tokens, ProgramKind::kDialog);
    ApplyProgramStart(start, line);
    EXPECT_EQ(start.language, c.language) << c.raw;
    EXPECT_EQ(line.empty, c.empty) << c.raw;
    EXPECT_EQ(line.tokens, c.tokens) << c.raw;
  }
}

TEST(Win32MainWindow, TheFileVersionComesFromTheVersionResource) {
  Win32WindowSystem ws(GetModuleHandleW(nullptr), Language::kJapanese);
  const FileVersion v = ws.ReadFileVersion();
  EXPECT_EQ(v.major, TESSARO_VERSION_MAJOR);
  EXPECT_EQ(v.minor, TESSARO_VERSION_MINOR);
  EXPECT_EQ(v.patch, TESSARO_VERSION_PATCH);
  EXPECT_EQ(v.tweak, TESSARO_VERSION_TWEAK);
}

}  // namespace
}  // namespace tessaro

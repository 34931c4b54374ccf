// The main dialog's window: its start-up (placed from the settings onto the
// nearest visible screen, titled and shown), the about entry, the first paint, the layout that follows the
// client size, and the limits of its size.
#include <algorithm>
#include <initializer_list>

#include "engine/engine_texts.h"
#include "engine/report_text.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"
#include "ui/window_placement.h"

namespace tessaro {

// Without a saved size the window opens large enough to show a whole
// report in its language and font (the frame added on top).
void CTessaroDlg::SizeForReport() {
  const SettingsValues defaults;
  if (m_nSizeX != defaults.sizeX || m_nSizeY != defaults.sizeY) return;
  const EngineTexts& texts = EngineTextsFor(language_);
  const std::string report =
      texts.inputSize(FormatByteCount(123456789).c_str()) +
      texts.samplingLineAac(48000, 2, -120) + texts.outputSize(FormatByteCount(1234567890).c_str()) +
      TimeLine(texts, 12345.67);
  const WinRect box = ws_.InfoBoxSizeFor(report);
  if (box.Width() <= 0 || box.Height() <= 0) return;
  const int button = std::max(44, ws_.MainTextRoom().buttonColumn);
  constexpr int kFrameWidth = 16;   // room for a window frame
  constexpr int kFrameHeight = 40;  // and a caption
  m_nSizeX = std::clamp(box.Width() + button + 16 + kFrameWidth, defaults.sizeX, 1280);
  m_nSizeY = std::max(defaults.sizeY, box.Height() + 84 + kFrameHeight);
}

bool CTessaroDlg::OnInitDialog() {
  UpdateData(false);
  SizeForReport();
  ws_.AddAboutMenuEntry(kAboutEntryText);
  ws_.SetWindowText(DialogWindow::kMain, VersionText());
  const WinRect placed = PlaceOnScreens(
      {m_nPosX, m_nPosY, m_nPosX + m_nSizeX, m_nPosY + m_nSizeY}, ws_.ScreenWorkAreas());
  ws_.PlaceWindow(DialogWindow::kMain, placed.left, placed.top, placed.Width(), placed.Height(),
                  true);
  ws_.ShowWindow(DialogWindow::kMain, true);
  UpdateOutputPath();
  m_pErrorDlg = std::make_unique<CErrorMsgDlg>(ws_);
  m_pErrorDlg->Create();
  return true;
}

bool CTessaroDlg::OnSysCommand(unsigned commandId) {
  if ((commandId & 0xFFF0u) != kIdmAboutBox) return false;
  CAboutDlg about(version_);
  about.DoModal(ws_);
  return true;
}

void CTessaroDlg::OnPaint() { RunCommandLine(); }

// The right-hand column (browse buttons, size choice, convert button) keeps a
// 4-pixel margin to the right edge; the path boxes and the progress bar
// stretch with the width, the convert button and the information box with
// the height. Columns are as wide as the window's texts need, never narrower
// than 44 pixels for the buttons, 36 for the labels and 50 for the size label.
// The editors' check box stands between the progress bar and the size label,
// as wide as its text needs; in a narrow window the bar keeps 40 pixels and
// the check box gets the rest. Where the window system cannot tell the check
// box's width, the bar reaches the size label as without it.
void CTessaroDlg::OnSize() {
  const WinRect client = ws_.GetClientRect(DialogWindow::kMain);
  const TextRoom room = ws_.MainTextRoom();
  const int w = client.Width();
  const int h = client.Height();
  const int b = std::max(44, room.buttonColumn);
  const int l = std::max(36, room.labelColumn);
  const int s = std::max(50, room.sizeLabel);
  const int right = w - b - 4;      // the right-hand column
  const int sizeLabel = right - s - 6;
  const int editorsEnd = sizeLabel - 8;
  constexpr int kBarLeast = 40;
  const int editors = room.editorsChoice > 0
                          ? std::max(4 + kBarLeast + 6, editorsEnd - room.editorsChoice)
                          : editorsEnd + 6;
  struct Place {
    int id, x, y, width, height;
  };
  for (const Place& p : {Place{kIdcBrowseIn, right, 6, b, 20},
                         Place{kIdcBrowseOut, right, 32, b, 20},
                         Place{kIdcSizeLabel, sizeLabel, 60, s, 12},
                         Place{kIdcOutputSize, right, 56, b, 20},
                         Place{kIdcConvert, right, 80, b, h - 84},
                         Place{kIdcInFile, l + 4, 6, right - 12 - l, 20},
                         Place{kIdcOutFile, l + 4, 32, right - 12 - l, 20},
                         Place{kIdcForEditors, editors, 58, std::max(0, editorsEnd - editors), 16},
                         Place{kIdcProgress, 4, 58, editors - 10, 16},
                         Place{kIdcInfo, 4, 80, right - 12, h - 84}}) {
    ws_.MoveControl(p.id, p.x, p.y, p.width, p.height);
  }
}

void CTessaroDlg::OnGetMinMaxInfo(MinMaxInfo& info) {
  info.minTrackWidth = 224;
  info.minTrackHeight = 136;
  info.maxTrackWidth = 1280;
}

}  // namespace tessaro

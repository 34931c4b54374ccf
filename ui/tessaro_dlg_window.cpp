// The main dialog's window: its start-up (placed, titled and shown from the
// settings), the about entry, the first paint, the layout that follows the
// client size, and the limits of its size.
#include <initializer_list>

#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

bool CTessaroDlg::OnInitDialog() {
  UpdateData(false);
  ws_.AddAboutMenuEntry(kAboutEntryText);
  ws_.SetWindowText(DialogWindow::kMain, VersionText());
  ws_.PlaceWindow(DialogWindow::kMain, m_nPosX, m_nPosY, m_nSizeX, m_nSizeY, true);
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
// the height.
void CTessaroDlg::OnSize() {
  const WinRect client = ws_.GetClientRect(DialogWindow::kMain);
  const int w = client.Width();
  const int h = client.Height();
  struct Place {
    int id, x, y, width, height;
  };
  for (const Place& p : {Place{kIdcBrowseIn, w - 48, 6, 44, 20},
                         Place{kIdcBrowseOut, w - 48, 32, 44, 20},
                         Place{kIdcSizeLabel, w - 104, 60, 50, 12},
                         Place{kIdcOutputSize, w - 48, 56, 44, 20},
                         Place{kIdcConvert, w - 48, 80, 44, h - 84},
                         Place{kIdcInFile, 40, 6, w - 96, 20},
                         Place{kIdcOutFile, 40, 32, w - 96, 20},
                         Place{kIdcProgress, 4, 58, w - 116, 16},
                         Place{kIdcInfo, 4, 80, w - 60, h - 84}}) {
    ws_.MoveControl(p.id, p.x, p.y, p.width, p.height);
  }
}

void CTessaroDlg::OnGetMinMaxInfo(MinMaxInfo& info) {
  info.minTrackWidth = 224;
  info.minTrackHeight = 136;
  info.maxTrackWidth = 1280;
}

}  // namespace tessaro

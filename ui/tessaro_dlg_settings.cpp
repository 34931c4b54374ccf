// The settings file and closing. The settings are read once, before the
// window exists, and written when the user closes the window (also after a
// conversion that the close cancelled); a command-line run never writes them.
#include "ui/control_ids.h"
#include "ui/dialog_texts.h"
#include "ui/settings_file.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

SettingsValues CTessaroDlg::CurrentSettings() const {
  SettingsValues values;
  values.posX = m_nPosX;
  values.posY = m_nPosY;
  values.sizeX = m_nSizeX;
  values.sizeY = m_nSizeY;
  values.eTime = m_nETime;
  values.inFile = m_strInFile;
  values.outputSize = m_nOutputSize;
  values.forEditors = m_bForEditors;
  return values;
}

void CTessaroDlg::LoadSettings() {
  std::string stored;
  if (!ReadSettingsFile(m_strIniPath, &stored)) return;
  SettingsValues values = CurrentSettings();
  ApplySettingsText(ws_.FromStoredText(stored), values);
  m_nPosX = values.posX;
  m_nPosY = values.posY;
  m_nSizeX = values.sizeX;
  m_nSizeY = values.sizeY;
  m_nETime = values.eTime;
  m_strInFile = values.inFile;
  m_nOutputSize = values.outputSize;
  m_bForEditors = values.forEditors;
}

bool CTessaroDlg::SaveSettings() {
  UpdateData(true);
  const WinRect rect = ws_.GetWindowRect(DialogWindow::kMain);
  m_nPosX = rect.left;
  m_nPosY = rect.top;
  m_nSizeX = rect.Width();
  m_nSizeY = rect.Height();
  std::string reason;
  if (WriteSettingsFile(m_strIniPath, ws_.ToStoredText(FormatSettings(CurrentSettings())),
                        RealFileSystem(), &reason)) {
    return true;
  }
  const std::string because = reason.empty() ? std::string() : " (" + reason + ")";
  ShowErrorMessage(
      DialogTextsFor(language_).settingsNotOpenable(m_strIniPath.c_str(), because.c_str()), 0);
  return false;
}

void CTessaroDlg::Close() {
  SaveSettings();
  ws_.EndDialog(kIdCancel);
  ended_ = true;
}

}  // namespace tessaro

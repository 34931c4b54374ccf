// The main dialog's settings file and the command-line run.
#include <cstdint>
#include <string_view>

#include "engine/report_text.h"
#include "naming/delay_tag.h"
#include "ui/control_ids.h"
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
}

bool CTessaroDlg::SaveSettings() {
  UpdateData(true);
  const WinRect rect = ws_.GetWindowRect(DialogWindow::kMain);
  m_nPosX = rect.left;
  m_nPosY = rect.top;
  m_nSizeX = rect.Width();
  m_nSizeY = rect.Height();
  if (WriteSettingsFile(m_strIniPath, ws_.ToStoredText(FormatSettings(CurrentSettings())))) {
    return true;
  }
  ShowErrorMessage(StringPrintf("ファイル（%s）が開けません", m_strIniPath.c_str()), 0);
  return false;
}

void CTessaroDlg::ApplyCommandToken(const std::string& token, int32_t& pendingDelay,
                                    int& pathCount) {
  if (token == "-s1" || token == "-s2") {
    m_nOutputSize = token == "-s1" ? 0 : 1;
    UpdateData(false);
  } else if (token.starts_with("-d")) {
    pendingDelay = ReadDelayNumber(std::string_view(token).substr(2));
  } else if (token.starts_with("-")) {
    // "-s" with anything else and unknown options are ignored.
  } else if (pathCount == 0) {
    ++pathCount;
    m_strInFile = token;
    UpdateData(false);
    UpdateOutputPath();
  } else if (pathCount == 1) {
    ++pathCount;
    m_strOutFile = token;
    UpdateData(false);
  }
}

void CTessaroDlg::RunCommandLine() {
  if (commandLineStarted_ || commandLine_.empty) return;
  // Set before anything else: the paints dispatched while converting must
  // not start the run again.
  commandLineStarted_ = true;
  int32_t pendingDelay = 0;
  int pathCount = 0;
  for (const std::string& token : commandLine_.tokens) {
    ApplyCommandToken(token, pendingDelay, pathCount);
  }
  if (pathCount > 0) {
    if (pendingDelay != 0) m_nDelay = pendingDelay;
    PumpEvents();
    OnConvert();
  }
  // A command-line run never writes the settings file.
  ws_.EndDialog(kIdCancel);
}

}  // namespace tessaro

// The main dialog's settings file and the command-line run.
#include "frontend/command_tokens.h"
#include "frontend/exit_status.h"
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
  ShowErrorMessage(DialogTextsFor(language_).settingsNotOpenable(m_strIniPath.c_str()), 0);
  return false;
}

void CTessaroDlg::RunCommandLine() {
  if (commandLineStarted_ || commandLine_.empty) return;
  // Set before anything else: the paints dispatched while converting must
  // not start the run again.
  commandLineStarted_ = true;
  const CommandTokens read = ReadCommandTokens(
      commandLine_.tokens, {m_strInFile, m_strOutFile, m_nOutputSize, m_nDelay});
  m_nOutputSize = read.request.outputSize;
  if (read.pathCount > 0) {
    m_strInFile = read.request.inputPath;
    m_strOutFile = read.request.outputPath;
    m_nDelay = read.request.delayMs;
  }
  UpdateData(false);
  exitStatus_ = kExitUsage;
  if (read.pathCount > 0) {
    PumpEvents();
    OnConvert();
    exitStatus_ = StatusOfConversion(lastResult_);
  }
  // A command-line run never writes the settings file.
  ws_.EndDialog(kIdCancel);
}

}  // namespace tessaro

// The main dialog: construction, data exchange between the members and the
// controls, and the host operations through which a conversion reports.
#include "ui/tessaro_dlg.h"

#include <utility>

#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/error_log.h"

namespace tessaro {

CTessaroDlg::CTessaroDlg(WindowSystem& ws, CommandLine commandLine, ConversionRunner runner,
                         Language language, FileSystem& files)
    : m_progress(ws),
      ws_(ws),
      commandLine_(std::move(commandLine)),
      runner_(std::move(runner)),
      files_(files),
      language_(language) {
  version_ = ws_.ReadFileVersion();
  const std::string directory = ws_.DataDirectory();
  m_strIniPath = directory + "TSR.ini";
  m_strLogPath = directory + "TSR_ErrorLog.txt";
  LoadSettings();
}

CTessaroDlg::~CTessaroDlg() = default;

std::string CTessaroDlg::VersionText() const { return FormatVersionText(version_); }

void CTessaroDlg::UpdateData(bool saveAndValidate) {
  if (saveAndValidate) {
    m_strInfo = ws_.GetControlText(kIdcInfo);
    m_strInFile = ws_.GetControlText(kIdcInFile);
    const int index = ws_.GetComboIndex(kIdcOutputSize);
    m_nOutputSize = index < 0 ? 0 : index;
    m_bForEditors = ws_.IsChecked(kIdcForEditors);
    m_strOutFile = ws_.GetControlText(kIdcOutFile);
  } else {
    ws_.SetControlText(kIdcInfo, m_strInfo);
    ws_.SetControlText(kIdcInFile, m_strInFile);
    ws_.SetComboIndex(kIdcOutputSize, m_nOutputSize);
    ws_.SetChecked(kIdcForEditors, m_bForEditors);
    ws_.SetControlText(kIdcOutFile, m_strOutFile);
  }
}

void CTessaroDlg::SetProgress(int percent) { m_progress.SetPos(percent); }

// In a queue the information box keeps the earlier files' reports above the
// current one's.
void CTessaroDlg::SetInfoText(const std::string& text, bool redraw) {
  m_strInfo = converting_.queued ? converting_.queueInfo + text : text;
  if (redraw) UpdateData(false);
}

void CTessaroDlg::AppendInfoText(const std::string& text, bool redraw) {
  m_strInfo += text;
  if (redraw) UpdateData(false);
}

void CTessaroDlg::PumpEvents() {
  ws_.PumpEvents();
  if (converting_.active && converting_.stopRequested) {
    converting_.stopThrown = true;
    throw ConversionStopped{};
  }
}

// The error window counts down and hides itself; a cancel ends the countdown
// too. In a queue a damage report is logged at once and shown with the
// others at the queue's end.
void CTessaroDlg::ShowErrorMessage(const std::string& text, int writeLog) {
  if (writeLog != 0 && converting_.active) lastDamage_ += text;
  if (converting_.queued) {
    // One blank line between two files' reports.
    std::string& all = converting_.queueDamage;
    if (!all.empty()) all += all.ends_with("\r\n") ? "\r\n" : "\r\n\r\n";
    all += converting_.currentLabel + text;
    if (writeLog != 0) AppendErrorLog(text);
    return;
  }
  if (m_pErrorDlg != nullptr) {
    m_pErrorDlg->PlaceWithMessage(text);
    ws_.ShowWindow(DialogWindow::kErrorMessage, true);
    CountDown(*m_pErrorDlg);
    ws_.ShowWindow(DialogWindow::kErrorMessage, false);
  }
  if (writeLog != 0) AppendErrorLog(text);
}

void CTessaroDlg::CountDown(CErrorMsgDlg& dlg) {
  ++countdowns_;
  for (int n = m_nETime; n > 0; --n) {
    dlg.m_strCountdown = CountdownText(n, language_);
    dlg.UpdateData(false);
    ws_.PumpEvents();  // never stops here: the window is hidden first
    if (dlg.m_bClosed != 0 || converting_.stopRequested) break;
    ws_.Sleep100ms();
  }
  --countdowns_;
}

// The line names the file being converted: a file dropped while the error
// window counts down changes the input box, not whose damage this is.
void CTessaroDlg::AppendErrorLog(const std::string& text) {
  const std::string& input = converting_.active ? converting_.currentInput : m_strInFile;
  AppendLogLine(m_strLogPath,
                ws_.ToStoredText(FormatLogLine(ws_.LocalTime(), input, text, language_)));
}

}  // namespace tessaro

// The main dialog: construction, data exchange, the Convert command and the
// host operations of a conversion.
#include "ui/tessaro_dlg.h"

#include <utility>

#include "naming/output_path.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/error_log.h"

namespace tessaro {

CTessaroDlg::CTessaroDlg(WindowSystem& ws, CommandLine commandLine, ConversionRunner runner)
    : m_progress(ws), ws_(ws), commandLine_(std::move(commandLine)), runner_(std::move(runner)) {
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
    m_strOutFile = ws_.GetControlText(kIdcOutFile);
  } else {
    ws_.SetControlText(kIdcInfo, m_strInfo);
    ws_.SetControlText(kIdcInFile, m_strInFile);
    ws_.SetComboIndex(kIdcOutputSize, m_nOutputSize);
    ws_.SetControlText(kIdcOutFile, m_strOutFile);
  }
}

void CTessaroDlg::UpdateOutputPath() {
  UpdateData(true);
  const OutputProposal proposal = DeriveOutputPath(m_strInFile);
  m_strOutFile = proposal.outputPath;
  if (proposal.setsDelay) m_nDelay = proposal.delayMs;
  UpdateData(false);
}

void CTessaroDlg::SetInputsEnabled(bool enabled) {
  UpdateData(true);
  for (int id : {kIdcOutputSize, kIdcConvert, kIdcInFile, kIdcBrowseIn, kIdcOutFile,
                 kIdcBrowseOut}) {
    ws_.EnableControl(id, enabled);
  }
  UpdateData(false);
}

void CTessaroDlg::OnConvert() {
  UpdateData(true);
  ConversionRequest request;
  request.inputPath = m_strInFile;
  request.outputPath = m_strOutFile;
  request.outputSize = m_nOutputSize;
  request.delayMs = m_nDelay;
  request.language = language_;
  SetInputsEnabled(false);
  PumpEvents();
  // The request is a copy: a file dropped while the conversion pumps events
  // changes the dialog's fields, not the running conversion.
  lastResult_ = runner_(request, *this);
  SetInputsEnabled(true);
}

void CTessaroDlg::SetProgress(int percent) { m_progress.SetPos(percent); }

void CTessaroDlg::SetInfoText(const std::string& text, bool redraw) {
  m_strInfo = text;
  if (redraw) UpdateData(false);
}

void CTessaroDlg::AppendInfoText(const std::string& text, bool redraw) {
  m_strInfo += text;
  if (redraw) UpdateData(false);
}

void CTessaroDlg::PumpEvents() { ws_.PumpEvents(); }

void CTessaroDlg::ShowErrorMessage(const std::string& text, int writeLog) {
  if (m_pErrorDlg != nullptr) {
    CErrorMsgDlg& dlg = *m_pErrorDlg;
    dlg.PlaceWithMessage(text);
    ws_.ShowWindow(DialogWindow::kErrorMessage, true);
    for (int n = m_nETime; n > 0; --n) {
      dlg.m_strCountdown = CountdownText(n, language_);
      dlg.UpdateData(false);
      PumpEvents();
      if (dlg.m_bClosed != 0) break;
      ws_.Sleep100ms();
    }
    ws_.ShowWindow(DialogWindow::kErrorMessage, false);
  }
  if (writeLog != 0) AppendErrorLog(text);
}

void CTessaroDlg::AppendErrorLog(const std::string& text) {
  AppendLogLine(m_strLogPath,
                ws_.ToStoredText(FormatLogLine(ws_.LocalTime(), m_strInFile, text, language_)));
}

}  // namespace tessaro

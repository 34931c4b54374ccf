// Converting. The convert button converts the paths shown; while a
// conversion runs, the other inputs are disabled and the convert button is a
// cancel button. Cancel, Esc and closing the window stop the conversion at
// its next event pump: the engine removes its new file, so whatever was at
// the output path stays, and the information box shows the stop message.
// Closing also closes the window once the conversion has returned, with the
// settings saved. Several files (dropped or chosen together) are converted
// one after another, each to its proposed output: a failed file does not
// stop the others, a cancel stops the rest, and a summary line ends the run.
// Either is a run of files with its stop scope (frontend/stop_scope.h): a
// stop signal waits only while an output is being put in place and its
// file is reported.
// The keyboard stays with the window throughout: a control that is disabled
// while it has the focus hands it to the cancel button, and when the
// conversion ends the focus goes back where it was, unless the user has
// moved it meanwhile.
#include "engine/file_io.h"
#include "frontend/command_tokens.h"
#include "frontend/file_run.h"
#include "frontend/frontend_texts.h"
#include "frontend/stop_scope.h"
#include "naming/output_path.h"
#include "ui/dialog_texts.h"
#include "ui/error_log.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

void CTessaroDlg::OnConvert() {
  if (IsConverting()) {
    RequestStop();  // the cancel button
    return;
  }
  // Idle while the error window counts down (a queue's damage, a report
  // shown again): the press ends the countdown; no conversion starts inside it.
  if (countdowns_ > 0) {
    if (m_pErrorDlg != nullptr) m_pErrorDlg->OnCancel();
    return;
  }
  StopScope stops;
  ConvertShown(stops);
  if (EndConverting()) Close();
}

void CTessaroDlg::ConvertShown(StopScope& stops) {
  UpdateData(true);
  // A window that missed an edit of the input box: the output and the delay
  // of an earlier input are never used for this one.
  if (m_strInFile != proposedFrom_) UpdateOutputPath();
  // The request is a copy: a file dropped while the conversion pumps events
  // changes the dialog's fields, not the running conversion.
  const ConversionRequest request = RequestFor(m_strInFile, m_strOutFile, m_nDelay);
  BeginConverting();
  stops.FileBegins(request.inputPath, {});
  lastResult_ = ConvertOne(request);
  stops.FileEnds();
}

void CTessaroDlg::OnShowDamageReport() {
  if (IsConverting() || lastDamage_.empty()) return;
  const std::string report = lastDamage_;
  ShowErrorMessage(report, 0);
}

void CTessaroDlg::OnShowOutputFolder() {
  if (IsConverting() || lastOutput_.empty()) return;
  const std::string output = lastOutput_;
  if (!ws_.ShowInFolder(output)) {
    ShowErrorMessage(DialogTextsFor(language_).folderNotShown(output.c_str()), 0);
  }
}

void CTessaroDlg::OnCancel() {
  if (IsConverting()) {
    RequestStop();
    return;
  }
  Close();
}

void CTessaroDlg::OnClose() {
  if (IsConverting()) {
    converting_.closeRequested = true;
    RequestStop();
    return;
  }
  Close();
}

void CTessaroDlg::RequestStop() {
  if (IsConverting()) converting_.stopRequested = true;
}

ConversionRequest CTessaroDlg::RequestFor(const std::string& input, const std::string& output,
                                          int32_t delayMs) const {
  ConversionRequest request;
  request.inputPath = input;
  request.outputPath = output;
  request.outputSize = m_nOutputSize;
  // Only AAC to WAV writes blocks; WAV to AAC reads either flavour, as it
  // ignores the size.
  request.blockFlavour = m_bForEditors ? BlockFlavour::kEditors : BlockFlavour::kClassic;
  request.editorsChoice = DialogTextsFor(language_).editorsChoice;
  request.delayMs = delayMs;
  request.language = language_;
  request.delayFromName = DelayFromName(input, delayMs);
  return request;
}

namespace {

// The controls a conversion disables.
constexpr int kInputControls[] = {kIdcOutputSize, kIdcInFile, kIdcBrowseIn, kIdcOutFile,
                                  kIdcBrowseOut, kIdcForEditors};

bool IsInputControl(int id) {
  for (int input : kInputControls) {
    if (input == id) return true;
  }
  return false;
}

}  // namespace

void CTessaroDlg::SetInputsEnabled(bool enabled) {
  UpdateData(true);
  for (int id : kInputControls) ws_.EnableControl(id, enabled);
  // The convert button stays enabled: while converting it cancels.
  if (!enabled) {
    convertText_ = ws_.GetControlText(kIdcConvert);
    ws_.SetControlText(kIdcConvert, DialogTextsFor(language_).cancelButton);
  } else {
    ws_.SetControlText(kIdcConvert, convertText_);
  }
  UpdateData(false);
}

void CTessaroDlg::BeginConverting() {
  converting_ = ConvertingState{};
  converting_.active = true;
  lastDamage_.clear();
  lastOutput_.clear();
  ws_.SetDamageMark(false);
  ws_.SetShowOutputEntry(false);
  const int focus = ws_.FocusedControl();
  converting_.focusBefore = focus;
  // Moved before the control is disabled: a window system may leave a
  // disabled control's focus nowhere, where no key reaches the window.
  if (IsInputControl(focus)) ws_.FocusControl(kIdcConvert);
  SetInputsEnabled(false);
}

bool CTessaroDlg::EndConverting() {
  const bool close = converting_.closeRequested && !ended_;
  const int focusBefore = converting_.focusBefore;
  converting_ = ConvertingState{};
  SetInputsEnabled(true);
  const int focus = ws_.FocusedControl();
  if (focusBefore != 0 && focus != focusBefore && (focus == kIdcConvert || focus == 0)) {
    ws_.FocusControl(focusBefore);
  }
  // After the error window has hidden, the window keeps a mark of the damage.
  if (!lastDamage_.empty()) ws_.SetDamageMark(true);
  if (!lastOutput_.empty()) ws_.SetShowOutputEntry(true);
  return close;
}

ConversionResult CTessaroDlg::ConvertOne(const ConversionRequest& request) {
  converting_.currentInput = request.inputPath;
  ConversionResult result;
  try {
    PumpEvents();
    result = runner_(request, *this);
    // Input that waited while the window could not answer (the output's
    // last steps) meant a cancel; it is taken as one here, while the
    // conversion still owns the window, and never becomes a new Convert or
    // a close afterwards.
    ws_.PumpEvents();
  } catch (const ConversionStopped&) {
    // The engine passes the stop on only where it has nothing to clean up.
  }
  if (converting_.stopThrown) {
    result.failed = true;
    m_progress.SetPos(0);  // nothing was converted
    SetInfoText(DialogTextsFor(language_).stopped, true);
  }
  if (!result.failed) lastOutput_ = request.outputPath;
  return result;
}

void CTessaroDlg::ConvertQueue(const std::vector<std::string>& paths) {
  FileRun run(paths, files_, true);
  StopScope stops;
  BeginConverting();
  converting_.queued = true;
  m_progress.SetPos(0);
  m_strInfo.clear();  // the earlier report goes, as for a single new input
  for (size_t i = 0; i < run.size() && !converting_.stopThrown; ++i) {
    const std::string input = run.input(i);
    const OutputProposal proposal = DeriveOutputPath(input);
    // The boxes show the file being converted.
    m_strInFile = input;
    m_strOutFile = proposal.outputPath;
    m_nDelay = proposal.setsDelay ? proposal.delayMs : 0;
    proposedFrom_ = input;
    converting_.currentLabel = run.Number(i) + LogFileName(input) + "\r\n";
    if (!m_strInfo.empty() && m_strInfo.back() != '\n') m_strInfo += "\r\n";
    converting_.queueInfo = m_strInfo + converting_.currentLabel;
    m_strInfo = converting_.queueInfo;
    UpdateData(false);
    stops.FileBegins(input, {});
    // Never over a file of this run: one of its inputs or an earlier output.
    const OwnFileHit hit = run.Refuses(i, proposal.outputPath);
    if (hit.kind != OwnFileHit::Kind::kNone) {
      SetInfoText(OwnFileRefusal(hit, LogFileName(proposal.outputPath), LogFileName(hit.input),
                                 LogFileName(input), language_),
                  true);
    } else {
      const ConversionResult result = ConvertOne(RequestFor(input, proposal.outputPath, m_nDelay));
      if (converting_.stopThrown) break;
      run.Converted(i, proposal.outputPath, result);
      lastResult_ = result;
    }
    stops.FileReported({});
  }
  if (!m_strInfo.empty() && m_strInfo.back() != '\n') m_strInfo += "\r\n";
  m_strInfo += run.Summary(language_) + "\r\n";
  UpdateData(false);
  // The damaged files together, each already logged; not after a cancel.
  // The run is over first: the buttons read as they do when idle meanwhile.
  const std::string damage = converting_.queueDamage;
  const bool showDamage = !damage.empty() && !converting_.stopRequested;
  if (!damage.empty()) lastDamage_ = damage;
  const bool close = EndConverting();
  if (close) {
    Close();
  } else if (showDamage) {
    ShowErrorMessage(damage, 0);
  }
}

}  // namespace tessaro

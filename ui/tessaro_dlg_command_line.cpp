// The command-line run: after the first paint, a program started with
// arguments fills the dialog from them, converts once and ends, without
// writing the settings. A close during its conversion cancels it.
#include "frontend/command_tokens.h"
#include "frontend/exit_status.h"
#include "frontend/stop_scope.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

void CTessaroDlg::RunCommandLine() {
  if (commandLineStarted_ || commandLine_.empty) return;
  // Set before anything else: the paints dispatched while converting must
  // not start the run again.
  commandLineStarted_ = true;
  const CommandTokens read = ReadCommandTokens(
      commandLine_.tokens, {m_strInFile, m_strOutFile, m_nOutputSize, m_nDelay, language_});
  m_nOutputSize = read.request.outputSize;
  if (read.pathCount > 0) {
    m_strInFile = read.request.inputPath;
    m_strOutFile = read.request.outputPath;
    m_nDelay = read.request.delayMs;
    proposedFrom_ = m_strInFile;  // the tokens' output stands
  }
  UpdateData(false);
  exitStatus_ = kExitUsage;
  if (read.pathCount > 0) {
    // A run of one that ends the program: once its output is in place, a
    // stop waits and the status is the conversion's.
    StopScope stops;
    PumpEvents();
    ConvertShown(stops);
    EndConverting();  // a close asked for meanwhile: the run ends anyway
    exitStatus_ = StatusOfConversion(lastResult_);
    stops.RunDone();
  }
  ws_.EndDialog(kIdCancel);
  ended_ = true;
}

}  // namespace tessaro

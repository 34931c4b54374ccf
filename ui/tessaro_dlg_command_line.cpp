// The command-line run: after the first paint, a program started with
// arguments fills the dialog from them, converts once and ends, without
// writing the settings. The size and the editors' choice start from the
// saved ones; -s1, -s2 and --for-editors change them for this run only. A close during its conversion cancels it. Arguments
// that do not form a run (an unknown option, a third path, no input) convert
// nothing: the error window shows why, and the program ends with the usage
// status.
#include "frontend/command_tokens.h"
#include "frontend/exit_status.h"
#include "frontend/stop_scope.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {
namespace {

// The error window's text: its lines end in "\r\n", the last one in nothing.
std::string WindowLines(const std::string& text) {
  std::string lines;
  for (const char c : text.substr(0, text.find_last_not_of('\n') + 1)) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines;
}

}  // namespace

void CTessaroDlg::RunCommandLine() {
  if (commandLineStarted_ || commandLine_.empty) return;
  // Set before anything else: the paints dispatched while converting must
  // not start the run again.
  commandLineStarted_ = true;
  const CommandArguments read = ReadDialogArguments(commandLine_.tokens);
  exitStatus_ = kExitUsage;
  if (read.usage.failure != Failure::kNone) {
    ShowErrorMessage(WindowLines(DialogUsageError(read.usage, language_)), 0);
  } else {
    ConversionRequest start{m_strInFile, m_strOutFile, m_nOutputSize, m_nDelay, language_};
    if (m_bForEditors) start.blockFlavour = BlockFlavour::kEditors;
    const ConversionRequest request = tessaro::RequestFor(read.conversion, read.paths, start);
    m_nOutputSize = request.outputSize;
    m_bForEditors = request.blockFlavour == BlockFlavour::kEditors;
    m_strInFile = request.inputPath;
    m_strOutFile = request.outputPath;
    m_nDelay = request.delayMs;
    proposedFrom_ = m_strInFile;  // the arguments' output stands
    UpdateData(false);
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

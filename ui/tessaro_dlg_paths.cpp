// The input and output paths. The output follows the input: whenever the
// input path changes (typed, pasted, chosen in the file dialog or dropped),
// the output path and the delay are proposed from it, and the last
// conversion's progress and report are cleared. An output typed or chosen
// after the input's last change is kept. Several dropped or chosen files are
// converted one after another (tessaro_dlg_converting.cpp).
#include "naming/output_path.h"
#include "ui/file_filter.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

void CTessaroDlg::UpdateOutputPath() {
  UpdateData(true);
  const OutputProposal proposal = DeriveOutputPath(m_strInFile);
  m_strOutFile = proposal.outputPath;
  if (proposal.setsDelay) m_nDelay = proposal.delayMs;
  proposedFrom_ = m_strInFile;
  UpdateData(false);
}

std::string CTessaroDlg::BrowseInitialName(const std::string& path) const {
  if (!path.empty() && (path.back() == '\\' || path.back() == '/')) return path + "default.aac";
  return path;
}

void CTessaroDlg::OnBrowseInput() {
  UpdateData(true);
  std::vector<std::string> chosen;
  if (!ws_.RunOpenFilesDialog(BrowseInitialName(m_strInFile), InputFilter(language_), &chosen) ||
      chosen.empty()) {
    return;
  }
  if (chosen.size() > 1 && !IsConverting()) {
    ConvertQueue(chosen);
    return;
  }
  TakeNewInput(chosen.front());
}

void CTessaroDlg::OnBrowseOutput() {
  UpdateData(true);
  std::string chosen;
  if (!ws_.RunSaveFileDialog(BrowseInitialName(m_strOutFile), OutputFilter(language_),
                             &chosen)) {
    return;
  }
  m_strOutFile = chosen;
  m_progress.SetPos(0);
  m_strInfo.clear();
  UpdateData(false);
}

// Windows report their own changes of the box too: only a text that differs
// from the one the output was proposed from is a new input.
void CTessaroDlg::OnInputPathChanged() {
  if (ws_.GetControlText(kIdcInFile) == proposedFrom_) return;
  UpdateData(true);
  TakeNewInput(m_strInFile);
}

void CTessaroDlg::OnDropFiles(const std::vector<std::string>& paths) {
  UpdateData(true);
  if (paths.empty()) return;
  // Several files are converted in turn; during a conversion a drop only
  // changes the paths shown, with its first file.
  if (paths.size() > 1 && !IsConverting()) {
    ConvertQueue(paths);
    return;
  }
  TakeNewInput(paths.front());  // its path whole, however long
}

void CTessaroDlg::TakeNewInput(const std::string& path) {
  m_strInFile = path;
  proposedFrom_ = path;  // a window's report of this change is no new input
  m_progress.SetPos(0);
  m_strInfo.clear();
  UpdateData(false);
  UpdateOutputPath();
}

}  // namespace tessaro

#pragma once
// The main dialog's logic: its state, the settings file, the handlers the
// platform window calls, the command-line run, and the host operations
// through which a conversion reports.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/conversion_host.h"
#include "engine/convert_command.h"
#include "engine/language.h"
#include "ui/command_line.h"
#include "ui/control_ids.h"
#include "ui/conversion_runner.h"
#include "ui/error_msg_dlg.h"
#include "ui/settings_file.h"
#include "ui/window_system.h"

namespace tessaro {

// The progress bar, control 1004.
class ProgressCtrl {
 public:
  explicit ProgressCtrl(WindowSystem& ws) : ws_(ws) {}
  void SetPos(int position) { ws_.SetProgressPos(kIdcProgress, position); }

 private:
  WindowSystem& ws_;
};

class CTessaroDlg : public ConversionHost {
 public:
  // Reads the file version, picks the data directory and loads the settings.
  CTessaroDlg(WindowSystem& ws, CommandLine commandLine, ConversionRunner runner);
  ~CTessaroDlg() override;
  CTessaroDlg(const CTessaroDlg&) = delete;
  CTessaroDlg& operator=(const CTessaroDlg&) = delete;

  // The language of the conversions' reports and of the dialog's own texts;
  // the front end sets it before OnInitDialog (Japanese until then).
  void SetLanguage(Language language) { language_ = language; }
  Language GetLanguage() const { return language_; }

  // ---- Handlers, called by the platform window (see ui/window_system.h).
  bool OnInitDialog();
  // True when the command was the about entry; otherwise the platform does
  // its default processing.
  bool OnSysCommand(unsigned commandId);
  void OnPaint();
  void OnBrowseInput();
  void OnBrowseOutput();
  void OnConvert();
  void OnDropFiles(const std::vector<std::string>& paths);
  void OnSize();
  void OnGetMinMaxInfo(MinMaxInfo& info);
  void OnCancel();

  // ---- Operations.
  // TRUE: controls 1000, 1001, 1008, 1005 into the members; FALSE: back.
  void UpdateData(bool saveAndValidate);
  void UpdateOutputPath();
  void SetInputsEnabled(bool enabled);
  SettingsValues CurrentSettings() const;
  void LoadSettings();
  // False when the file could not be written (the error window has shown it).
  bool SaveSettings();
  void AppendErrorLog(const std::string& text);
  std::string VersionText() const;
  CErrorMsgDlg* ErrorDialog() { return m_pErrorDlg.get(); }
  // What the program exits with: 0 after the dialog was used; after a
  // command-line run the console program's status for its conversion
  // (frontend/exit_status.h), 2 when it named no input.
  int ExitStatus() const { return exitStatus_; }

  // ---- ConversionHost.
  void SetProgress(int percent) override;
  void SetInfoText(const std::string& text, bool redraw) override;
  void AppendInfoText(const std::string& text, bool redraw) override;
  void PumpEvents() override;
  void ShowErrorMessage(const std::string& text, int writeLog) override;

  // ---- State, in this order.
  ProgressCtrl m_progress;
  std::string m_strInfo;
  std::string m_strInFile;
  int m_nOutputSize = 0;
  std::string m_strOutFile;
  std::unique_ptr<CErrorMsgDlg> m_pErrorDlg;
  int32_t m_nDelay = 0;
  int m_nPosX = 192;
  int m_nSizeX = 512;
  int m_nPosY = 128;
  int m_nSizeY = 144;
  int m_nETime = 20;
  std::string m_strIniPath;
  std::string m_strLogPath;

 private:
  void RunCommandLine();
  std::string BrowseInitialName(const std::string& path) const;
  void TakeNewInput(const std::string& path);

  WindowSystem& ws_;
  CommandLine commandLine_;
  ConversionRunner runner_;
  FileVersion version_;
  bool commandLineStarted_ = false;
  ConversionResult lastResult_;
  int exitStatus_ = 0;
  Language language_ = Language::kJapanese;
};

}  // namespace tessaro

#pragma once
// The main dialog's logic: its state, the handlers the platform window calls,
// and the host operations through which a conversion reports. Every rule of
// the dialog lives here; a platform window only forwards its events (see
// ui/window_system.h) and draws. The handlers are spread over one file per
// concern, each stating its rule at its top:
//   tessaro_dlg.cpp              construction, data exchange, host operations
//   tessaro_dlg_window.cpp       start-up of the window, menu, layout, limits
//   tessaro_dlg_paths.cpp        input and output paths: the output follows the input
//   tessaro_dlg_converting.cpp   converting, cancelling, closing while converting, queues
//   tessaro_dlg_settings.cpp     the settings file and closing
//   tessaro_dlg_command_line.cpp the command-line run

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/conversion_host.h"
#include "engine/convert_command.h"
#include "engine/file_io.h"
#include "engine/language.h"
#include "frontend/interrupts.h"
#include "frontend/stop_scope.h"
#include "ui/command_line.h"
#include "ui/control_ids.h"
#include "ui/conversion_runner.h"
#include "ui/error_msg_dlg.h"
#include "ui/settings_file.h"
#include "ui/window_system.h"

namespace tessaro {

// The progress bar.
class ProgressCtrl {
 public:
  explicit ProgressCtrl(WindowSystem& ws) : ws_(ws) {}
  void SetPos(int position) { ws_.SetProgressPos(kIdcProgress, position); }

 private:
  WindowSystem& ws_;
};

// A conversion (or a queue of them) and what the user asked for meanwhile.
// Reset when the conversion returns.
struct ConvertingState {
  bool active = false;
  bool stopRequested = false;   // cancel, Esc or a close: stop at the next event pump
  bool stopThrown = false;      // the event pump has stopped the conversion
  bool closeRequested = false;  // the window closes once the conversion has returned
  // A queue of several files: the reports so far, above the current one's,
  // and the damage reports that the error window shows together at its end.
  bool queued = false;
  std::string queueInfo;
  std::string queueDamage;
  std::string currentInput;  // the file being converted, for the error log
  std::string currentLabel;  // "[2/5] NAME" and a line end, above its damage report
  int focusBefore = 0;       // the control that had the keyboard focus when it began
};

class CTessaroDlg : public ConversionHost {
 public:
  // Reads the file version, picks the data directory and loads the settings.
  // The language is that of the conversions' reports and the dialog's texts;
  // files is the file system the runner converts on, where a queue looks
  // for its own files.
  CTessaroDlg(WindowSystem& ws, CommandLine commandLine, ConversionRunner runner,
              Language language, FileSystem& files = WatchedRealFileSystem());
  ~CTessaroDlg() override;
  CTessaroDlg(const CTessaroDlg&) = delete;
  CTessaroDlg& operator=(const CTessaroDlg&) = delete;

  // ---- Handlers, called by the platform window (see ui/window_system.h).
  bool OnInitDialog();
  // True when the command was the about entry; otherwise the platform does
  // its default processing.
  bool OnSysCommand(unsigned commandId);
  void OnPaint();
  void OnBrowseInput();
  void OnBrowseOutput();
  // The input path box's text has changed (typed, pasted, or set by anyone).
  void OnInputPathChanged();
  // The convert button; during a conversion it is the cancel button.
  void OnConvert();
  void OnDropFiles(const std::vector<std::string>& paths);
  void OnSize();
  void OnGetMinMaxInfo(MinMaxInfo& info);
  // Esc: cancels a running conversion; otherwise saves and closes.
  void OnCancel();
  // The close box, Alt+F4, Close of a system menu: cancels a running
  // conversion and closes once it has returned; otherwise as OnCancel.
  void OnClose();

  // ---- Operations.
  // TRUE: the information box, the input path, the size choice, the
  // editors' choice and the output path into the members; FALSE: back into
  // the controls.
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
  bool IsConverting() const { return converting_.active; }
  // The last conversion's damage report, until the next conversion starts.
  bool HasDamageReport() const { return !lastDamage_.empty(); }
  // Shows the last damage report again (the context menu), not logged again.
  void OnShowDamageReport();
  // The last conversion's output, until the next conversion starts; only
  // after an output was put in place.
  bool HasOutputToShow() const { return !lastOutput_.empty(); }
  // Shows the last output in the file manager (the menu entry); says so in
  // the error window when nothing could be opened.
  void OnShowOutputFolder();
  // What the program exits with: 0 after the dialog was used; after a
  // command-line run the console program's status for its conversion
  // (frontend/exit_status.h), 2 when its arguments formed no run.
  int ExitStatus() const { return exitStatus_; }

  // ---- ConversionHost.
  void SetProgress(int percent) override;
  void SetInfoText(const std::string& text, bool redraw) override;
  void AppendInfoText(const std::string& text, bool redraw) override;
  // Dispatches the window's events; after a cancel it stops the conversion.
  void PumpEvents() override;
  void ShowErrorMessage(const std::string& text, int writeLog) override;

  // ---- State, in this order. The persistent part starts from the settings
  // file's defaults (SettingsValues), the one place they are written.
  ProgressCtrl m_progress;
  std::string m_strInfo;
  std::string m_strInFile;
  int m_nOutputSize = SettingsValues{}.outputSize;
  bool m_bForEditors = SettingsValues{}.forEditors;  // the editors' check box
  std::string m_strOutFile;
  std::unique_ptr<CErrorMsgDlg> m_pErrorDlg;
  int32_t m_nDelay = 0;
  int m_nPosX = SettingsValues{}.posX;
  int m_nSizeX = SettingsValues{}.sizeX;
  int m_nPosY = SettingsValues{}.posY;
  int m_nSizeY = SettingsValues{}.sizeY;
  int m_nETime = SettingsValues{}.eTime;
  std::string m_strIniPath;
  std::string m_strLogPath;

 private:
  void RunCommandLine();
  void SizeForReport();
  std::string BrowseInitialName(const std::string& path) const;
  void TakeNewInput(const std::string& path);
  // Saves the settings and ends the dialog.
  void Close();
  void RequestStop();
  // The conversion of the paths and size shown, as the convert button and
  // the command-line run start it: a run of one in stops.
  void ConvertShown(StopScope& stops);
  // Runs one conversion; a stop ends it with the stop message.
  ConversionResult ConvertOne(const ConversionRequest& request);
  // Converts each path in turn to its proposed output, then closes when a
  // close was asked for meanwhile.
  void ConvertQueue(const std::vector<std::string>& paths);
  // Around conversions: inputs disabled, the convert button a cancel button,
  // the keyboard focus on it when its control was disabled.
  void BeginConverting();
  // Enables the inputs again and gives the keyboard focus back; true when a
  // close was asked for meanwhile.
  bool EndConverting();
  ConversionRequest RequestFor(const std::string& input, const std::string& output,
                               int32_t delayMs) const;
  void CountDown(CErrorMsgDlg& dlg);

  WindowSystem& ws_;
  CommandLine commandLine_;
  ConversionRunner runner_;
  FileSystem& files_;
  FileVersion version_;
  Language language_;
  bool commandLineStarted_ = false;
  bool ended_ = false;  // EndDialog has been called
  // The input path the output and the delay were last proposed from.
  std::string proposedFrom_;
  std::string convertText_;  // the convert button's own text, while it cancels
  std::string lastDamage_;   // the last conversion's logged report(s)
  std::string lastOutput_;   // the last output put in place
  ConvertingState converting_;
  int countdowns_ = 0;  // error-window countdowns running (nested ones too)
  ConversionResult lastResult_;
  int exitStatus_ = 0;
};

// Thrown by the dialog's PumpEvents to stop a conversion the user cancelled.
// The engine removes its new file on the way out and returns a failed result.
struct ConversionStopped {};

}  // namespace tessaro

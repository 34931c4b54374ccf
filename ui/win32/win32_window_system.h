#pragma once
// The dialog logic's window system on plain Win32: dialogs from the resource
// templates, the message pump, common file dialogs, the program directory and
// the version resource.

#include <windows.h>
#include <shellapi.h>
// windows.h renames SetWindowText to its A or W form, which would also rename
// the WindowSystem member; the code here calls SetWindowTextW by its name.
#undef SetWindowText

#include <string>
#include <vector>

#include "engine/language.h"
#include "engine/wide_text.h"
#include "ui/window_system.h"

namespace tessaro {

class CTessaroDlg;

// The system menu's entry that shows the last damage report again.
inline constexpr unsigned kIdmDamageReport = 0x0020;
// The system menu's entry that shows the last output in its folder.
inline constexpr unsigned kIdmShowOutput = 0x0030;

class Win32WindowSystem : public WindowSystem {
 public:
  // The dialogs come from the resources in language, whatever language
  // Windows itself would pick.
  Win32WindowSystem(HINSTANCE instance, Language language);
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  // The dialog template with this id in the window system's language, else
  // in the language Windows picks; nullptr when there is none.
  const DLGTEMPLATE* DialogTemplate(int id) const;

  // String id of the string table in the window system's language; empty
  // when there is none.
  std::wstring ResourceString(int id) const;

  // Runs the main dialog (template 102) modally, routing its messages to dlg.
  // Returns the dialog's result, or -1 when it could not be created.
  INT_PTR RunMainDialog(CTessaroDlg& dlg);

  HWND MainWindow() const { return main_; }
  HWND ErrorWindow() const { return error_; }

  // ---- WindowSystem.
  std::string GetControlText(int id) override;
  void SetControlText(int id, const std::string& text) override;
  int GetComboIndex(int id) override;
  void SetComboIndex(int id, int index) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  void EnableControl(int id, bool enabled) override;
  void SetProgressPos(int id, int position) override;
  bool MoveControl(int id, int x, int y, int width, int height) override;
  TextRoom MainTextRoom() override;
  WinRect InfoBoxSizeFor(const std::string& text) override;
  std::vector<WinRect> ScreenWorkAreas() override;
  WinRect GetWindowRect(DialogWindow window) override;
  WinRect GetClientRect(DialogWindow window) override;
  void SetWindowText(DialogWindow window, const std::string& text) override;
  void PlaceWindow(DialogWindow window, int x, int y, int width, int height,
                   bool resize) override;
  void ShowWindow(DialogWindow window, bool show) override;
  bool CreateErrorWindow() override;
  void AddAboutMenuEntry(const std::string& text) override;
  void SetDamageMark(bool shown) override;
  void SetShowOutputEntry(bool shown) override;
  bool ShowInFolder(const std::string& path) override;
  int FocusedControl() override;
  void FocusControl(int id) override;
  void EndDialog(int result) override;
  bool RunOpenFileDialog(const std::string& initialName, const std::string& filter,
                         std::string* path) override;
  bool RunOpenFilesDialog(const std::string& initialName, const std::string& filter,
                          std::vector<std::string>* paths) override;
  bool RunSaveFileDialog(const std::string& initialName, const std::string& filter,
                         std::string* path) override;
  void RunAboutBox(const std::string& versionText) override;
  void PumpEvents() override;
  void Sleep100ms() override;
  std::tm LocalTime() override;
  std::string DataDirectory() override;
  FileVersion ReadFileVersion() override;

  // The settings file and the error log are text in the system's ANSI code
  // page (Shift-JIS on a Japanese system), as other programs there read it.
  std::string ToStoredText(const std::string& utf8) override { return Utf8ToAnsi(utf8); }
  std::string FromStoredText(const std::string& stored) override { return AnsiToUtf8(stored); }

 private:
  static INT_PTR CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static INT_PTR CALLBACK ErrorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR OnMainMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR OnErrorMessage(UINT msg, WPARAM wp);
  void OnMainInit(HWND hwnd);
  void OnMainPaint(HWND hwnd);
  // The two path labels as wide as their texts.
  void FitPathLabels(HWND hwnd);
  // The tooltip of the size choice, from the string table.
  void AddTips(HWND hwnd);
  // The progress bar's text, which screen readers take for its name (the
  // bar never draws it): its part, and whether the last file was damaged.
  void NameProgress(HWND hwnd, bool damaged);
  // The damage mark's tooltip on the progress bar, or none.
  void TipDamageMark(HWND bar, bool shown);
  void OnMainCommand(WPARAM wp);
  // WM_ACTIVATE: true when it gave the focus itself (keyboard_focus.cpp).
  bool OnMainActivate(WPARAM wp);
  // Gives a control of the main dialog the focus at once.
  void TakeFocus(HWND control);
  void OnMainDrop(HDROP drop);
  HWND WindowOf(DialogWindow window) const;
  // The window's DPI; the main dialog's as its last DPI change gave it.
  int DpiOf(HWND window) const;
  // WM_DPICHANGED: fonts, controls and window size follow the new DPI.
  void OnMainDpiChanged(HWND hwnd, int dpi, const RECT& suggested);
  // The control with this id in the main dialog, else in the error window.
  HWND Control(int id) const;
  bool RunFileDialog(bool save, const std::string& initialName, const std::string& filter,
                     std::string* path);
  // As above; several: the user may choose several files (open only).
  bool RunFileDialog(bool save, bool several, const std::string& initialName,
                     const std::string& filter, std::vector<std::string>* paths);

  HINSTANCE instance_;
  LANGID language_;  // of the dialog resources
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;  // the caption's size of the same icon
  HWND main_ = nullptr;
  HWND error_ = nullptr;
  CTessaroDlg* dlg_ = nullptr;
  int mainDpi_ = 0;         // the main dialog's DPI, 0 before it exists
  HFONT mainFont_ = nullptr;  // its font at that DPI, when it has changed
  LOGFONTW mainFace_{};       // its font as the dialog manager made it
  int mainFaceDpi_ = 0;       // at this DPI, 0 when it has none
  TextRoom roomSeen_;         // the widest the main window's texts have needed
  HWND tips_ = nullptr;           // the main dialog's tooltips
  std::wstring damageWord_;       // the damage mark's word while it shows
  HWND focusWhenLeft_ = nullptr;  // the main dialog's focus when it was last deactivated
  HWND pendingFocus_ = nullptr;   // the focus its next activation gives
};

}  // namespace tessaro

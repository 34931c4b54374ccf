#pragma once
// The window system of ui/window_system.h on Qt Widgets.

#include <QMap>
#include <QString>
#include <memory>
#include <string>

#include "engine/language.h"
#include "ui/window_system.h"

class QWidget;

namespace tessaro::qt {

class ErrorWindow;
class MainWindow;

class QtWindowSystem : public WindowSystem {
 public:
  QtWindowSystem(std::string dataDirectory, Language language);
  ~QtWindowSystem() override;

  MainWindow& Main() { return *main_; }
  ErrorWindow* Error() { return error_; }

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
  void SetDamageMark(bool shown) override;
  bool ShowInFolder(const std::string& path) override;
  int FocusedControl() override;
  void FocusControl(int id) override;

  WinRect GetWindowRect(DialogWindow window) override;
  WinRect GetClientRect(DialogWindow window) override;
  void SetWindowText(DialogWindow window, const std::string& text) override;
  void PlaceWindow(DialogWindow window, int x, int y, int width, int height,
                   bool resize) override;
  void ShowWindow(DialogWindow window, bool show) override;
  std::vector<WinRect> ScreenWorkAreas() override;
  bool CreateErrorWindow() override;
  void AddAboutMenuEntry(const std::string& text) override;
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

  std::string DataDirectory() override { return dataDirectory_; }
  FileVersion ReadFileVersion() override;

 private:
  QWidget* Find(int id) const;
  QWidget* Window(DialogWindow window) const;
  bool RunFileDialog(bool save, const std::string& initialName, const std::string& filter,
                     std::string* path);

  std::string dataDirectory_;
  Language language_;
  std::unique_ptr<MainWindow> main_;
  ErrorWindow* error_ = nullptr;  // owned by the main window
  // Multi-line texts exactly as set, with what the widget shows for them.
  QMap<int, std::string> setTexts_;
  QMap<int, QString> shownTexts_;
};

}  // namespace tessaro::qt

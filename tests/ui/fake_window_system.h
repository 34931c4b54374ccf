#pragma once
// A window system without windows: controls are map entries, dialogs answer
// from queues, sleeping is instant and every call is recorded.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tessaro_version.h"
#include "ui/window_system.h"

namespace tessaro::testing {

struct ControlPlace {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ControlPlace&) const = default;
};

struct FileDialogCall {
  bool save = false;
  std::string initialName;
  std::string filter;
};

class FakeWindowSystem : public WindowSystem {
 public:
  // ---- Controls.
  std::string GetControlText(int id) override { return texts[id]; }
  void SetControlText(int id, const std::string& text) override { texts[id] = text; }
  int GetComboIndex(int id) override { return combos.count(id) ? combos[id] : -1; }
  void SetComboIndex(int id, int index) override { combos[id] = index; }
  bool IsChecked(int id) override { return checks[id]; }
  void SetChecked(int id, bool checked) override { checks[id] = checked; }
  void EnableControl(int id, bool enable) override {
    enabled[id] = enable;
    enableLog.push_back({id, enable});
    if (!enable && focus == id) focus = 0;  // a disabled control loses the focus
  }
  TextRoom MainTextRoom() override { return room; }
  int FocusedControl() override { return focus; }
  void FocusControl(int id) override { focus = id; }
  void SetDamageMark(bool on) override { damageMark = on; }
  void SetShowOutputEntry(bool on) override { showOutputEntry = on; }
  bool ShowInFolder(const std::string& path) override {
    shownInFolder.push_back(path);
    return folderShows;
  }
  void SetProgressPos(int id, int position) override { progress[id] = position; }
  bool MoveControl(int id, int x, int y, int width, int height) override {
    places[id] = {x, y, width, height};
    return true;
  }

  // ---- Windows.
  WinRect GetWindowRect(DialogWindow w) override { return windowRects[w]; }
  WinRect GetClientRect(DialogWindow w) override { return clientRects[w]; }
  void SetWindowText(DialogWindow w, const std::string& text) override { titles[w] = text; }
  void PlaceWindow(DialogWindow w, int x, int y, int width, int height, bool resize) override {
    WinRect& r = windowRects[w];
    const int oldWidth = r.Width();
    const int oldHeight = r.Height();
    r = {x, y, x + (resize ? width : oldWidth), y + (resize ? height : oldHeight)};
    placeLog.push_back({w, r});
  }
  void ShowWindow(DialogWindow w, bool show) override {
    shown[w] = show;
    showLog.push_back({w, show});
    if (w == DialogWindow::kErrorMessage && show) errorShownCountdown = texts[1012];
  }
  std::vector<WinRect> ScreenWorkAreas() override { return screens; }
  bool CreateErrorWindow() override {
    ++errorWindowsCreated;
    return true;
  }
  void AddAboutMenuEntry(const std::string& text) override { aboutEntries.push_back(text); }
  void EndDialog(int result) override { endResults.push_back(result); }

  // ---- Modal dialogs.
  bool RunOpenFileDialog(const std::string& initialName, const std::string& filter,
                         std::string* path) override {
    return RunFileDialog(false, initialName, filter, path);
  }
  bool RunSaveFileDialog(const std::string& initialName, const std::string& filter,
                         std::string* path) override {
    return RunFileDialog(true, initialName, filter, path);
  }
  void RunAboutBox(const std::string& versionText) override { aboutBoxes.push_back(versionText); }

  // ---- Events and time.
  void PumpEvents() override {
    ++pumpCount;
    countdownAtPump.push_back(texts[1012]);
    if (onPump) onPump();
  }
  void Sleep100ms() override { ++sleepCount; }
  std::tm LocalTime() override { return localTime; }

  // ---- Program.
  std::string DataDirectory() override { return dataDirectory; }
  FileVersion ReadFileVersion() override { return version; }

  // ---- Recorded state and canned answers.
  std::map<int, std::string> texts;
  std::map<int, int> combos{{1008, 0}};
  std::map<int, bool> checks;
  TextRoom room;  // what the window's texts need: nothing beyond the least
  std::map<int, bool> enabled;
  std::vector<std::pair<int, bool>> enableLog;
  int focus = 0;  // the control with the keyboard focus
  bool damageMark = false;
  bool showOutputEntry = false;
  std::vector<std::string> shownInFolder;
  bool folderShows = true;  // what ShowInFolder answers
  std::map<int, int> progress;
  std::map<int, ControlPlace> places;
  std::map<DialogWindow, WinRect> windowRects;
  std::map<DialogWindow, WinRect> clientRects;
  std::map<DialogWindow, std::string> titles;
  std::vector<std::pair<DialogWindow, WinRect>> placeLog;
  std::map<DialogWindow, bool> shown;
  std::vector<WinRect> screens;  // none: the window system cannot tell
  std::vector<std::pair<DialogWindow, bool>> showLog;
  std::string errorShownCountdown;
  int errorWindowsCreated = 0;
  std::vector<std::string> aboutEntries;
  std::vector<int> endResults;
  std::deque<std::string> fileAnswers;  // next chosen path; empty string = cancelled
  std::vector<FileDialogCall> fileDialogs;
  std::vector<std::string> aboutBoxes;
  int pumpCount = 0;
  std::vector<std::string> countdownAtPump;
  std::function<void()> onPump;
  int sleepCount = 0;
  std::tm localTime = MakeTime(2024, 3, 9, 7, 5, 2);
  std::string dataDirectory;
  FileVersion version{TESSARO_VERSION_MAJOR, TESSARO_VERSION_MINOR, TESSARO_VERSION_PATCH,
                      TESSARO_VERSION_TWEAK};

  static std::tm MakeTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
  }

 private:
  bool RunFileDialog(bool save, const std::string& initialName, const std::string& filter,
                     std::string* path) {
    fileDialogs.push_back({save, initialName, filter});
    if (fileAnswers.empty()) return false;
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.empty()) return false;
    *path = answer;
    return true;
  }
};

}  // namespace tessaro::testing

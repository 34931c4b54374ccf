#pragma once
// What the portable dialog logic needs from a window system. The Qt window
// (ui/qt/) and the native Windows window (ui/win32/) implement it; tests use a
// fake. No toolkit header may appear here.
//
// Event routing, the other half of the seam: the platform window owns the
// real widgets and calls the handlers of CTessaroDlg (ui/tessaro_dlg.h):
//   - OnInitDialog() once, after the controls of the main dialog exist and
//     hold their template texts (the combo box filled with "1/1", "1/2").
//     The editors' check box (kIdcForEditors) is read when the logic needs
//     it; a click on it needs no event.
//   - OnPaint() after the main window has painted itself (every paint, or at
//     least the first; the command-line run happens once). A platform may
//     defer the call until the paint has finished.
//   - OnSize() after every change of the client size; OnGetMinMaxInfo() when
//     it needs the tracking limits (it may ask once and cache them).
//   - OnBrowseInput(), OnBrowseOutput(), OnConvert() for the two browse
//     buttons and the convert button (also while a conversion runs: it is
//     the cancel button then); OnDropFiles() with the dropped paths (UTF-8,
//     whole, all of them); OnInputPathChanged() whenever the input path
//     box's text changes (a platform may also report its own changes).
//   - OnSysCommand(kIdmAboutBox) for the about menu entry.
//   - OnCancel() for Esc (IDCANCEL); OnClose() for the close box, Alt+F4 and
//     "Close" of a system menu. Both may come while a conversion runs; the
//     logic decides. Enter in a path box or on the convert button is
//     OnConvert(), as a click on the convert button.
//   - ErrorDialog()->OnCancel() for the error window's "閉じる" button (id 2)
//     and its close box; neither may hide or close that window.
//
// All strings are UTF-8 byte strings. Texts of multi-line edits (the
// information box and the error window's message)
// use "\r\n" line breaks; a platform that shows "\n" must give back exactly
// what it was given as long as the user cannot edit the control.

#include <ctime>
#include <string>
#include <vector>

namespace tessaro {

// A rectangle in pixels, right and bottom exclusive (as GetWindowRect gives it).
struct WinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The two windows the logic places and shows.
enum class DialogWindow { kMain, kErrorMessage };

// The program's file version: major, minor, third and fourth part.
struct FileVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;
  int tweak = 0;
};

// Tracking limits of the main window's outer rectangle, in pixels.
struct MinMaxInfo {
  int minTrackWidth = 0;
  int minTrackHeight = 0;
  int maxTrackWidth = 0;   // 0: no limit of the window system's own
  int maxTrackHeight = 0;  // 0: no limit of the window system's own
};

// Widths in pixels that the main window's texts need; the layout never gives
// less than its own (0: nothing more than that).
struct TextRoom {
  int labelColumn = 0;   // from the left edge to the end of the path labels
  int buttonColumn = 0;  // the browse and convert buttons, the size choice
  int sizeLabel = 0;     // the size choice's label
  int editorsChoice = 0; // the editors' check box, its box and its text
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // ---- Controls, by id (ids are unique across the main dialog and the error
  // window; see ui/control_ids.h). Calls for a control that does not exist do
  // nothing and read as empty / -1.
  virtual std::string GetControlText(int id) = 0;
  virtual void SetControlText(int id, const std::string& text) = 0;
  // Index of the selected entry of a drop-down list, -1 when none.
  virtual int GetComboIndex(int id) = 0;
  virtual void SetComboIndex(int id, int index) = 0;
  // Whether a check box is checked; a control that is none reads as false.
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual void EnableControl(int id, bool enabled) = 0;
  // Position of a progress bar of range 0..100; values above 100 show full,
  // below 0 empty.
  virtual void SetProgressPos(int id, int position) = 0;
  // Moves a control of the main dialog to client pixels and repaints it.
  // Returns false (and does nothing) when the control does not exist.
  virtual bool MoveControl(int id, int x, int y, int width, int height) = 0;
  // What the main window's texts need (its language, font and scale).
  virtual TextRoom MainTextRoom() { return {}; }
  // The size in pixels the information box needs to show text whole (its
  // frame and margins included); 0 x 0 where the window system cannot tell.
  virtual WinRect InfoBoxSizeFor(const std::string& /*text*/) { return {}; }
  // Shows or hides the main window's mark that the last file was damaged.
  virtual void SetDamageMark(bool /*shown*/) {}
  // Offers or withdraws the menu entry that shows the last output in its
  // folder (where the menu is built ahead; a menu built on demand asks the
  // dialog, CTessaroDlg::HasOutputToShow).
  virtual void SetShowOutputEntry(bool /*shown*/) {}
  // Shows the file in the desktop's file manager, selected where the file
  // manager can do that, else opens its folder. False when nothing could be
  // opened.
  virtual bool ShowInFolder(const std::string& /*path*/) { return false; }
  // The main dialog's control that has the keyboard focus (its id), or the
  // one that gets it when the window is next activated; 0 when none has.
  virtual int FocusedControl() { return 0; }
  // Gives a control of the main dialog the keyboard focus: at once when the
  // window is active, else when it is next activated.
  virtual void FocusControl(int /*id*/) {}

  // ---- Windows.
  // Outer rectangle (frame and caption included) in screen pixels.
  virtual WinRect GetWindowRect(DialogWindow window) = 0;
  // Client area; left and top are 0.
  virtual WinRect GetClientRect(DialogWindow window) = 0;
  virtual void SetWindowText(DialogWindow window, const std::string& text) = 0;
  // Moves the window's outer rectangle to (x, y), also sizes it to width x
  // height when resize is true, and brings it to the top of the z-order.
  // Does not change whether it is shown.
  virtual void PlaceWindow(DialogWindow window, int x, int y, int width, int height,
                           bool resize) = 0;
  virtual void ShowWindow(DialogWindow window, bool show) = 0;
  // The work areas of the screens (without task bars and docks), in screen
  // pixels; empty where the window system cannot tell.
  virtual std::vector<WinRect> ScreenWorkAreas() { return {}; }
  // Creates the error message window (template 132) hidden, owned by the main
  // dialog; it lives as long as the main dialog. False on failure.
  virtual bool CreateErrorWindow() = 0;
  // Appends a separator and the about entry (command kIdmAboutBox) to the
  // window's system menu, or to its context menu where there is no system
  // menu an application can extend.
  virtual void AddAboutMenuEntry(const std::string& text) = 0;
  // Ends the modal main dialog with the given result once control returns to
  // its loop; a conversion running inside a handler finishes first.
  virtual void EndDialog(int result) = 0;

  // ---- Modal dialogs. Each returns when the user has closed it.
  // filter: "Desc(*.aac)|*.aac|Desc2(*.wav)|*.wav||" (see ParseFileFilter).
  // initialName may be empty. True with *path set to the chosen full path.
  virtual bool RunOpenFileDialog(const std::string& initialName, const std::string& filter,
                                 std::string* path) = 0;
  // As above, where the user may choose several files; *paths in the order
  // given. Where a window system has no such dialog, one file.
  virtual bool RunOpenFilesDialog(const std::string& initialName, const std::string& filter,
                                  std::vector<std::string>* paths) {
    std::string path;
    if (!RunOpenFileDialog(initialName, filter, &path)) return false;
    paths->assign(1, path);
    return true;
  }
  // As above, as a save dialog that asks before overwriting an existing file.
  virtual bool RunSaveFileDialog(const std::string& initialName, const std::string& filter,
                                 std::string* path) = 0;
  // The about box (template 100) with icon 128 and the given version text.
  virtual void RunAboutBox(const std::string& versionText) = 0;

  // ---- Event loop and time.
  // Dispatches every pending event, never waits, and returns.
  virtual void PumpEvents() = 0;
  // Sleeps 100 ms (the error window's countdown step).
  virtual void Sleep100ms() = 0;
  // The current local time.
  virtual std::tm LocalTime() = 0;

  // ---- Program.
  // Directory of the settings file and the error log, ending in a separator
  // ("\" or "/"), or empty for the current directory. On Windows the
  // program's own directory; on POSIX see DataDirectoryFor (ui/qt/data_directory.h).
  virtual std::string DataDirectory() = 0;
  // The program's file version: the version resource on Windows, the build's
  // version numbers elsewhere (FileVersionFromBuild, about_dlg.h). All zero
  // when it cannot be read.
  virtual FileVersion ReadFileVersion() = 0;

  // ---- Stored text. The settings file and the error log hold their text in
  // the system's code page; inside, text is UTF-8. Where the system's code
  // page is UTF-8 (POSIX) nothing changes.
  virtual std::string ToStoredText(const std::string& utf8) { return utf8; }
  virtual std::string FromStoredText(const std::string& stored) { return stored; }
};

}  // namespace tessaro

#pragma once
// The main dialog's window (template 102) in Qt Widgets. It holds the
// controls by id and hands every user action to CTessaroDlg.

#include <QDialog>
#include <QMap>
#include <QString>

class QMenu;

#include "engine/language.h"
#include "ui/window_system.h"

namespace tessaro {
class CTessaroDlg;
}

namespace tessaro::qt {

class MainWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MainWindow(Language language);

  void SetDialog(CTessaroDlg* dialog) { dialog_ = dialog; }
  CTessaroDlg* Dialog() const { return dialog_; }
  // The control with this id, or nullptr.
  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  QList<int> ControlIds() const { return controls_.keys(); }
  void SetAboutEntry(const QString& text) { aboutEntry_ = text; }
  // The widths the texts need, for the dialog logic's layout.
  const TextRoom& Room() const { return room_; }
  // Shows or hides the mark that the last file was damaged.
  void SetDamageMark(bool shown);
  // The context menu of the window, or of one of its text boxes (that box's
  // own entries first): a separator and the about entry, when one was added.
  QMenu* BuildContextMenu(QWidget* box = nullptr);
  // Applies the dialog's tracking limits to the outer window size.
  void ApplyMinMax();
  // Pixels the frame adds to the client size (0 where there is no frame).
  QSize FrameExtra() const;
  // Moves the frame's top-left corner to at and, when outerSize is valid,
  // sizes the window so that its outer size, frame included, is outerSize.
  // A window manager adds the frame only after the window is shown: its
  // size is taken off the client once it is known, so that the window
  // comes back at the outer size it was saved with.
  void PlaceOuter(const QPoint& at, const QSize& outerSize);

  // Esc: the dialog's OnCancel (during a conversion it cancels it).
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The close box: the dialog's OnClose.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Drags over the path boxes and the information box come here instead:
  // a drop there is a drop on the window and never inserts text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void FitToFrame();
  template <typename W>
  W* Add(int id, W* widget, const QRect& rect);

  CTessaroDlg* dialog_ = nullptr;
  QMap<int, QWidget*> controls_;
  Language language_;
  QString aboutEntry_;
  TextRoom room_;
  bool paintCallQueued_ = false;
  QSize wantedOuter_;  // outer size placed before the frame was known
  QSize knownExtra_;   // the frame's size when last looked at
};

}  // namespace tessaro::qt

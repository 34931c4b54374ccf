#pragma once
// The main dialog's window (template 102) in Qt Widgets. It holds the
// controls by id and hands every user action to CTessaroDlg.

#include <QDialog>
#include <QMap>
#include <QString>

class QMenu;

namespace tessaro {
class CTessaroDlg;
struct MinMaxInfo;
}

namespace tessaro::qt {

class MainWindow : public QDialog {
  Q_OBJECT

 public:
  MainWindow();

  void SetDialog(CTessaroDlg* dialog) { dialog_ = dialog; }
  CTessaroDlg* Dialog() const { return dialog_; }
  // The control with this id, or nullptr.
  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  void SetAboutEntry(const QString& text) { aboutEntry_ = text; }
  // The context menu: a separator and the about entry, when one was added.
  QMenu* BuildContextMenu();
  // Applies the dialog's tracking limits to the outer window size.
  void ApplyMinMax();
  // Pixels the frame adds to the client size (0 where there is no frame).
  QSize FrameExtra() const;

  void reject() override;  // Esc and the close box: the dialog's OnCancel

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  template <typename W>
  W* Add(int id, W* widget, const QRect& rect);

  CTessaroDlg* dialog_ = nullptr;
  QMap<int, QWidget*> controls_;
  QString aboutEntry_;
  bool paintCallQueued_ = false;
};

}  // namespace tessaro::qt

// The main dialog's window on Qt: controls, layout, events into the dialog logic.
#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStyle>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dialog_texts.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/size_choice.h"
#include "ui/qt/window_texts.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::qt {
namespace {

// The local files a drag carries, in order; links to anything else are left out.
std::vector<std::string> LocalFiles(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (mime == nullptr || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

}  // namespace

MainWindow::MainWindow(Language language) : language_(language) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setWindowTitle("Tesra");
  setWindowIcon(QIcon(":/tessaro-32.png"));
  setAcceptDrops(true);
  setSizeGripEnabled(false);
  CreateControls();
  const DialogUnits units(font());
  resize(units.X(282), units.Y(75));
}

template <typename W>
W* MainWindow::Add(int id, W* widget, const QRect& rect) {
  widget->setGeometry(rect);
  if (id != 0) {
    widget->setObjectName(QString("control%1").arg(id));
    controls_.insert(id, widget);
  }
  return widget;
}

void MainWindow::CreateControls() {
  const DialogUnits u(font());
  const QtWindowTexts& texts = QtWindowTextsFor(language_);
  const QFontMetrics metrics(font());
  // The labels take the room their texts need; the dialog logic lays the
  // other controls out beside them (TextRoom).
  const QString inText = Q(texts.inputLabel);
  const QString outText = Q(texts.outputLabel);
  const int labelWidth = std::max(metrics.horizontalAdvance(QString(inText).remove('&')),
                                  metrics.horizontalAdvance(QString(outText).remove('&'))) + 2;
  room_.labelColumn = u.X(5) + labelWidth + 2;
  // In the template's creation (and tab) order. The hidden OK and quit
  // buttons of the template have no use here: Esc and the close box reach
  // reject() directly.
  auto* inLabel = Add(0, new QLabel(inText, this), QRect(u.X(5), u.Y(5), labelWidth, u.Y(10)));
  inLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* in = Add(kIdcInFile, new QLineEdit(this), u.Rect(25, 5, 225, 12));
  auto* browseIn =
      Add(kIdcBrowseIn, new QPushButton(Q(texts.browseInput), this), u.Rect(255, 5, 25, 12));
  auto* outLabel = Add(0, new QLabel(outText, this), QRect(u.X(5), u.Y(23), labelWidth, u.Y(10)));
  outLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* out = Add(kIdcOutFile, new QLineEdit(this), u.Rect(25, 20, 225, 12));
  auto* browseOut =
      Add(kIdcBrowseOut, new QPushButton(Q(texts.browseOutput), this), u.Rect(255, 20, 25, 12));
  auto* progress = Add(kIdcProgress, new QProgressBar(this), u.Rect(5, 35, 205, 10));
  progress->setRange(0, 100);
  progress->setValue(0);
  progress->setTextVisible(false);
  progress->setAlignment(Qt::AlignCenter);
  auto* sizeLabel =
      Add(kIdcSizeLabel, new QLabel(Q(texts.sizeLabel), this), u.Rect(215, 35, 30, 8));
  sizeLabel->setAlignment(Qt::AlignCenter);
  room_.sizeLabel = metrics.horizontalAdvance(sizeLabel->text().remove('&')) + 4;
  auto* size = Add(kIdcOutputSize, new SizeChoice(this), u.Rect(255, 35, 25, 12));
  size->addItems({"1/1", "1/2"});
  for (QWidget* w : {static_cast<QWidget*>(sizeLabel), static_cast<QWidget*>(size)}) {
    w->setToolTip(Q(texts.sizeTooltip));
  }
  // After the size choice in the tab order, as in the resource template.
  auto* editors =
      Add(kIdcForEditors, new QCheckBox(Q(texts.forEditors), this), u.Rect(150, 35, 60, 10));
  editors->setToolTip(Q(texts.forEditorsTooltip));
  {
    QStyleOptionButton box;
    box.initFrom(editors);
    const int indicator =
        editors->style()->subElementRect(QStyle::SE_CheckBoxContents, &box, editors).left();
    room_.editorsChoice =
        indicator + metrics.horizontalAdvance(QString(editors->text()).remove('&')) + 6;
  }
  inLabel->setBuddy(in);
  outLabel->setBuddy(out);
  sizeLabel->setBuddy(size);
  auto* info = Add(kIdcInfo, new QPlainTextEdit(this), u.Rect(5, 50, 245, 20));
  info->setReadOnly(true);
  info->setLineWrapMode(QPlainTextEdit::NoWrap);
  info->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* convert = Add(kIdcConvert, new QPushButton(Q(texts.convert), this), u.Rect(255, 50, 25, 20));
  // The buttons are as wide as their widest text (the cancel text included)
  // needs inside the style's frame.
  QStyleOptionButton option;
  option.initFrom(convert);
  option.rect = QRect(0, 0, 44, 20);
  const int frame =
      44 - convert->style()->subElementRect(QStyle::SE_PushButtonContents, &option, convert).width();
  for (const QString& text : {Q(texts.browseInput), Q(texts.browseOutput), Q(texts.convert),
                              QString::fromUtf8(DialogTextsFor(language_).cancelButton.c_str())}) {
    room_.buttonColumn =
        std::max(room_.buttonColumn, metrics.horizontalAdvance(QString(text).remove('&')) + frame + 2);
  }
  for (QPushButton* button : {browseIn, browseOut, convert}) button->setAutoDefault(false);
  // What a screen reader tells apart: the two browse buttons by their file,
  // the bar and the box by their part; the size choice by its label.
  browseIn->setAccessibleName(Q(texts.browseInputName));
  browseIn->setToolTip(Q(texts.browseInputName));
  browseOut->setAccessibleName(Q(texts.browseOutputName));
  browseOut->setToolTip(Q(texts.browseOutputName));
  progress->setAccessibleName(Q(texts.progressName));
  info->setAccessibleName(Q(texts.reportName));
  size->setAccessibleName(QString(sizeLabel->text()).remove('&'));
  editors->setAccessibleName(QString(editors->text()).remove('&'));
  for (QObject* box : {Control(kIdcInFile), Control(kIdcOutFile), info->viewport()}) {
    box->installEventFilter(this);
  }
  // The text boxes' own context menus carry the about entry too.
  for (QWidget* box : {Control(kIdcInFile), Control(kIdcOutFile), Control(kIdcInfo)}) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
      BuildContextMenu(box)->popup(box->mapToGlobal(at));
    });
  }

  connect(browseIn, &QPushButton::clicked, this, [this] { dialog_->OnBrowseInput(); });
  connect(browseOut, &QPushButton::clicked, this, [this] { dialog_->OnBrowseOutput(); });
  connect(convert, &QPushButton::clicked, this, [this] { dialog_->OnConvert(); });
  // Enter in a path box or on the convert button converts.
  for (QLineEdit* box : {in, out}) {
    connect(box, &QLineEdit::returnPressed, this, [this] { dialog_->OnConvert(); });
  }
  convert->installEventFilter(this);
  connect(in, &QLineEdit::textEdited, this,
          [this] { dialog_->OnInputPathChanged(); });
}

void MainWindow::SetDamageMark(bool shown) {
  auto* bar = qobject_cast<QProgressBar*>(Control(kIdcProgress));
  const QtWindowTexts& texts = QtWindowTextsFor(language_);
  bar->setFormat(shown ? Q(texts.damageMark) : QString());
  bar->setTextVisible(shown);
  bar->setToolTip(shown ? Q(texts.damageMarkTooltip) : QString());
  bar->setAccessibleName(Q(shown ? texts.progressDamagedName : texts.progressName));
  QPalette palette = this->palette();
  if (shown) {
    palette.setColor(QPalette::Highlight, QColor(190, 30, 30));
    palette.setColor(QPalette::HighlightedText, Qt::white);
  }
  bar->setPalette(palette);
}

QSize MainWindow::FrameExtra() const {
  if (!isVisible()) return QSize(0, 0);
  return frameGeometry().size() - size();
}

void MainWindow::PlaceOuter(const QPoint& at, const QSize& outerSize) {
  move(at);  // move() places the frame's top-left corner
  if (!outerSize.isValid()) return;
  const QSize extra = FrameExtra();
  resize(outerSize - extra);
  wantedOuter_ = extra.isNull() ? outerSize : QSize();
}

void MainWindow::FitToFrame() {
  const QSize extra = FrameExtra();
  if (extra == knownExtra_) return;
  knownExtra_ = extra;
  ApplyMinMax();
  if (wantedOuter_.isValid() && !extra.isNull()) {
    const QSize outer = wantedOuter_;
    wantedOuter_ = QSize();
    resize(outer - extra);
  }
}

void MainWindow::ApplyMinMax() {
  if (dialog_ == nullptr) return;
  MinMaxInfo info;
  dialog_->OnGetMinMaxInfo(info);
  const QSize extra = FrameExtra();
  setMinimumSize(info.minTrackWidth - extra.width(), info.minTrackHeight - extra.height());
  if (info.maxTrackWidth > 0) setMaximumWidth(info.maxTrackWidth - extra.width());
  if (info.maxTrackHeight > 0) setMaximumHeight(info.maxTrackHeight - extra.height());
}

QMenu* MainWindow::BuildContextMenu(QWidget* box) {
  QMenu* menu = nullptr;
  if (auto* line = qobject_cast<QLineEdit*>(box)) {
    menu = line->createStandardContextMenu();
  } else if (auto* text = qobject_cast<QPlainTextEdit*>(box)) {
    menu = text->createStandardContextMenu();
  } else {
    menu = new QMenu(this);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // Each entry runs once the menu has closed and its handlers have returned:
  // a countdown or a modal window pumps events, which may delete the menu.
  const auto add = [this, menu](const QString& text, auto run) {
    menu->addSeparator();
    connect(menu->addAction(text), &QAction::triggered, this,
            [this, run] {
              if (dialog_ != nullptr) run(*dialog_);
            },
            Qt::QueuedConnection);
  };
  const QtWindowTexts& texts = QtWindowTextsFor(language_);
  if (dialog_ != nullptr && dialog_->HasOutputToShow()) {
    add(Q(texts.showOutputEntry), [](CTessaroDlg& dlg) { dlg.OnShowOutputFolder(); });
  }
  if (dialog_ != nullptr && dialog_->HasDamageReport()) {
    add(Q(texts.showDamageEntry), [](CTessaroDlg& dlg) { dlg.OnShowDamageReport(); });
  }
  if (!aboutEntry_.isEmpty()) {
    add(aboutEntry_, [](CTessaroDlg& dlg) { dlg.OnSysCommand(tessaro::kIdmAboutBox); });
  }
  return menu;
}

void MainWindow::reject() {
  if (dialog_ != nullptr) {
    dialog_->OnCancel();
  } else {
    QDialog::reject();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (dialog_ == nullptr) {
    QDialog::closeEvent(event);
    return;
  }
  // The dialog ends the window itself, at once or after its conversion.
  event->ignore();
  dialog_->OnClose();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // The command-line run starts after the paint has finished, not inside it.
  if (dialog_ == nullptr || paintCallQueued_) return;
  paintCallQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        paintCallQueued_ = false;
        dialog_->OnPaint();  // the command-line run converts here
      },
      Qt::QueuedConnection);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FitToFrame();
  if (dialog_ != nullptr) dialog_->OnSize();
}

void MainWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ApplyMinMax();
  FitToFrame();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  FitToFrame();  // a window manager's frame shows as a move of the client area
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Shift+F10 and the menu key open the context menu of the focused box
  // (or of the window), where the about entry is.
  const bool menuKey = event->key() == Qt::Key_Menu ||
                       (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (!menuKey) {
    QDialog::keyPressEvent(event);
    return;
  }
  QWidget* focus = focusWidget();
  QWidget* box = nullptr;
  for (int id : {kIdcInFile, kIdcOutFile, kIdcInfo}) {
    if (focus != nullptr && focus == Control(id)) box = focus;
  }
  QWidget* at = box != nullptr ? box : (focus != nullptr ? focus : this);
  QMenu* menu = BuildContextMenu(box);
  menu->popup(at->mapToGlobal(QPoint(at->width() / 2, at->height() / 2)));
  event->accept();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = BuildContextMenu();
  if (menu->isEmpty()) {
    delete menu;
    return;
  }
  menu->popup(event->globalPos());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (LocalFiles(event->mimeData()).empty()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (LocalFiles(event->mimeData()).empty()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (paths.empty() || dialog_ == nullptr) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  dialog_->OnDropFiles(paths);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Control(kIdcConvert)) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        dialog_->OnConvert();
        return true;
      }
    }
    return QDialog::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::DragEnter:
      dragEnterEvent(static_cast<QDragEnterEvent*>(event));
      return true;
    case QEvent::DragMove:
      dragMoveEvent(static_cast<QDragMoveEvent*>(event));
      return true;
    case QEvent::Drop:
      dropEvent(static_cast<QDropEvent*>(event));
      return true;
    case QEvent::DragLeave:
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

}  // namespace tessaro::qt

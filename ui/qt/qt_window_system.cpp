// The window system of the dialog logic on Qt Widgets.
#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <ctime>
#include <string_view>

#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/file_filter.h"
#include "ui/qt/about_box.h"
#include "ui/qt/error_window.h"
#include "ui/qt/file_manager.h"
#include "ui/qt/main_window.h"
#include "ui/qt/window_texts.h"

namespace tessaro::qt {
namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QString QtFilter(const std::string& filter) {
  QStringList parts;
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    QString patterns = Q(entry.pattern);
    patterns.replace(';', ' ');
    QString description = Q(entry.description);
    // Qt reads the patterns from the parentheses; add them where missing.
    if (!description.contains('(')) description += " (" + patterns + ")";
    parts << description;
  }
  return parts.join(";;");
}

}  // namespace

QtWindowSystem::QtWindowSystem(std::string dataDirectory, Language language)
    : dataDirectory_(std::move(dataDirectory)),
      language_(language),
      main_(std::make_unique<MainWindow>(language)) {}

QtWindowSystem::~QtWindowSystem() = default;

QWidget* QtWindowSystem::Find(int id) const {
  if (QWidget* control = main_->Control(id)) return control;
  if (error_ != nullptr) return error_->findChild<QWidget*>(QString("control%1").arg(id));
  return nullptr;
}

QWidget* QtWindowSystem::Window(DialogWindow window) const {
  if (window == DialogWindow::kMain) return main_.get();
  return error_;
}

std::string QtWindowSystem::GetControlText(int id) {
  QWidget* w = Find(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toUtf8().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toUtf8().toStdString();
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text().toUtf8().toStdString();
  if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
    const QString shown = text->toPlainText();
    if (shownTexts_.contains(id) && shownTexts_[id] == shown) return setTexts_[id];
    return QString(shown).replace("\n", "\r\n").toUtf8().toStdString();
  }
  return std::string();
}

void QtWindowSystem::SetControlText(int id, const std::string& text) {
  QWidget* w = Find(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    if (edit->text() != Q(text)) edit->setText(Q(text));
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(Q(text));
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->setText(Q(text));
  } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
    QString shown = Q(text);
    shown.replace("\r\n", "\n").replace('\r', '\n');
    setTexts_[id] = text;
    shownTexts_[id] = shown;
    const QString before = multi->toPlainText();
    if (before != shown) {
      multi->setPlainText(shown);
      // A report that grows (a queue's files one after another) shows its end.
      if (!before.isEmpty() && shown.startsWith(before)) {
        multi->verticalScrollBar()->setValue(multi->verticalScrollBar()->maximum());
      }
    }
  }
}

int QtWindowSystem::GetComboIndex(int id) {
  auto* combo = qobject_cast<QComboBox*>(Find(id));
  return combo != nullptr ? combo->currentIndex() : -1;
}

void QtWindowSystem::SetComboIndex(int id, int index) {
  if (auto* combo = qobject_cast<QComboBox*>(Find(id))) combo->setCurrentIndex(index);
}

bool QtWindowSystem::IsChecked(int id) {
  auto* box = qobject_cast<QCheckBox*>(Find(id));
  return box != nullptr && box->isChecked();
}

void QtWindowSystem::SetChecked(int id, bool checked) {
  if (auto* box = qobject_cast<QCheckBox*>(Find(id))) box->setChecked(checked);
}

void QtWindowSystem::EnableControl(int id, bool enabled) {
  if (QWidget* w = Find(id)) w->setEnabled(enabled);
}

void QtWindowSystem::SetProgressPos(int id, int position) {
  if (auto* bar = qobject_cast<QProgressBar*>(Find(id))) {
    bar->setValue(position < 0 ? 0 : (position > 100 ? 100 : position));
  }
}

bool QtWindowSystem::MoveControl(int id, int x, int y, int width, int height) {
  QWidget* w = main_->Control(id);
  if (w == nullptr) return false;
  w->setGeometry(x, y, width < 0 ? 0 : width, height < 0 ? 0 : height);
  w->update();
  return true;
}

TextRoom QtWindowSystem::MainTextRoom() { return main_->Room(); }

WinRect QtWindowSystem::InfoBoxSizeFor(const std::string& text) {
  auto* box = qobject_cast<QPlainTextEdit*>(main_->Control(kIdcInfo));
  if (box == nullptr) return {};
  const QFontMetrics metrics(box->font());
  int width = 0;
  const QStringList lines = Q(text).replace("\r\n", "\n").split('\n', Qt::SkipEmptyParts);
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  // The frame, the document's margins and the text cursor's column.
  const int margins = 2 * (box->frameWidth() + int(box->document()->documentMargin())) + 4;
  return {0, 0, width + margins,
          int(lines.size()) * metrics.lineSpacing() + margins};
}

void QtWindowSystem::SetDamageMark(bool shown) { main_->SetDamageMark(shown); }

bool QtWindowSystem::ShowInFolder(const std::string& path) {
  return ShowInFileManager(QFile::decodeName(QByteArray::fromStdString(path)));
}

int QtWindowSystem::FocusedControl() {
  // The window's focus widget, kept while another window is active.
  QWidget* focus = main_->focusWidget();
  for (int id : main_->ControlIds()) {
    if (focus != nullptr && focus == main_->Control(id)) return id;
  }
  return 0;
}

void QtWindowSystem::FocusControl(int id) {
  // Given at once, or when the window is next activated.
  if (QWidget* control = main_->Control(id)) control->setFocus(Qt::OtherFocusReason);
}

WinRect QtWindowSystem::GetWindowRect(DialogWindow window) {
  QWidget* w = Window(window);
  if (w == nullptr) return {};
  const QRect r = w->frameGeometry();
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

WinRect QtWindowSystem::GetClientRect(DialogWindow window) {
  QWidget* w = Window(window);
  if (w == nullptr) return {};
  return {0, 0, w->width(), w->height()};
}

void QtWindowSystem::SetWindowText(DialogWindow window, const std::string& text) {
  if (QWidget* w = Window(window)) w->setWindowTitle(Q(text));
}

void QtWindowSystem::PlaceWindow(DialogWindow window, int x, int y, int width, int height,
                                 bool resize) {
  QWidget* w = Window(window);
  if (w == nullptr) return;
  const QSize size = resize ? QSize(width, height) : QSize();
  if (window == DialogWindow::kMain) {
    main_->PlaceOuter(QPoint(x, y), size);
  } else {
    w->move(x, y);
    if (size.isValid()) w->resize(size);
  }
  w->raise();
}

void QtWindowSystem::ShowWindow(DialogWindow window, bool show) {
  if (QWidget* w = Window(window)) {
    // A message shown (again) starts at its head, wherever it was scrolled to.
    if (show && window == DialogWindow::kErrorMessage) {
      if (auto* message = qobject_cast<QPlainTextEdit*>(Find(kIdcErrorMessage))) {
        message->verticalScrollBar()->setValue(0);
      }
    }
    w->setVisible(show);
    if (show) w->raise();
  }
}

std::vector<WinRect> QtWindowSystem::ScreenWorkAreas() {
  std::vector<WinRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    areas.push_back({r.x(), r.y(), r.x() + r.width(), r.y() + r.height()});
  }
  return areas;
}

bool QtWindowSystem::CreateErrorWindow() {
  if (error_ == nullptr) error_ = new ErrorWindow(main_.get(), language_);
  return true;
}

void QtWindowSystem::AddAboutMenuEntry(const std::string& text) {
  // The entry in the window's language; the logic's text says that there is one.
  if (!text.empty()) main_->SetAboutEntry(tessaro::qt::Q(QtWindowTextsFor(language_).aboutEntry));
}

void QtWindowSystem::EndDialog(int result) { main_->done(result); }

bool QtWindowSystem::RunFileDialog(bool save, const std::string& initialName,
                                   const std::string& filter, std::string* path) {
  const QString initial = QFile::decodeName(initialName.c_str());
  const QString chosen =
      save ? QFileDialog::getSaveFileName(main_.get(), QString(), initial, QtFilter(filter))
           : QFileDialog::getOpenFileName(main_.get(), QString(), initial, QtFilter(filter));
  if (chosen.isEmpty()) return false;
  *path = QFile::encodeName(chosen).toStdString();
  return true;
}

bool QtWindowSystem::RunOpenFileDialog(const std::string& initialName, const std::string& filter,
                                       std::string* path) {
  return RunFileDialog(false, initialName, filter, path);
}

bool QtWindowSystem::RunOpenFilesDialog(const std::string& initialName,
                                        const std::string& filter,
                                        std::vector<std::string>* paths) {
  const QStringList chosen = QFileDialog::getOpenFileNames(
      main_.get(), QString(), QFile::decodeName(initialName.c_str()), QtFilter(filter));
  if (chosen.isEmpty()) return false;
  paths->clear();
  for (const QString& path : chosen) paths->push_back(QFile::encodeName(path).toStdString());
  return true;
}

bool QtWindowSystem::RunSaveFileDialog(const std::string& initialName, const std::string& filter,
                                       std::string* path) {
  return RunFileDialog(true, initialName, filter, path);
}

void QtWindowSystem::RunAboutBox(const std::string& versionText) {
  AboutBox box(main_.get(), Q(versionText), language_);
  box.exec();
}

void QtWindowSystem::PumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtWindowSystem::Sleep100ms() { QThread::msleep(100); }

std::tm QtWindowSystem::LocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

FileVersion QtWindowSystem::ReadFileVersion() { return FileVersionFromBuild(); }

}  // namespace tessaro::qt

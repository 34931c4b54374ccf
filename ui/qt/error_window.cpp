// The error message window on Qt: the message box, the countdown and "閉じる".
#include "ui/qt/error_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>

#include "ui/control_ids.h"
#include "ui/error_msg_dlg.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/main_window.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::qt {

ErrorWindow::ErrorWindow(MainWindow* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      owner_(owner) {
  setFont(DialogFont());
  setWindowTitle(tr("TSR エラーメッセージ"));
  setModal(false);
  const DialogUnits u(font());
  auto* close = new QPushButton(tr("閉じる"), this);
  close->setGeometry(u.Rect(135, 55, 45, 15));
  close->setAutoDefault(false);
  auto* message = new QPlainTextEdit(this);
  message->setObjectName(QString("control%1").arg(kIdcErrorMessage));
  // The template's height, cut to whole lines so that no line shows half.
  QRect box = u.Rect(10, 15, 165, 30);
  // Only the top margin counts: a following line is drawn into the bottom one.
  const int margins = int(message->document()->documentMargin());
  const int lineHeight = QFontMetrics(font()).lineSpacing();
  const int lines = std::max(1, (box.height() - margins) / lineHeight);
  box.setHeight(lines * lineHeight + margins);
  message->setGeometry(box);
  message->setReadOnly(true);
  message->setFrameShape(QFrame::NoFrame);
  message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A long report (the damaged places) stays readable to its end.
  message->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  message->setBackgroundVisible(false);
  message->viewport()->setAutoFillBackground(false);
  auto* countdown = new QLabel(this);
  countdown->setObjectName(QString("control%1").arg(kIdcCountdown));
  countdown->setGeometry(u.Rect(10, 55, 115, 15));
  countdown->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setFixedSize(u.X(187), u.Y(75));
  connect(close, &QPushButton::clicked, this, [this] { reject(); });
}

void ErrorWindow::reject() {
  CTessaroDlg* dialog = owner_->Dialog();
  if (dialog != nullptr && dialog->ErrorDialog() != nullptr) dialog->ErrorDialog()->OnCancel();
}

void ErrorWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

}  // namespace tessaro::qt

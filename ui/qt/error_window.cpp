// The error message window on Qt: the message box, the countdown and the close button.
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
#include "ui/qt/window_texts.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::qt {

ErrorWindow::ErrorWindow(MainWindow* owner, Language language)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      owner_(owner) {
  setFont(DialogFont());
  const QtWindowTexts& texts = QtWindowTextsFor(language);
  setWindowTitle(Q(texts.errorTitle));
  setModal(false);
  const DialogUnits u(font());
  auto* message = new QPlainTextEdit(this);
  message->setObjectName(QString("control%1").arg(kIdcErrorMessage));
  message->setAccessibleName(Q(texts.messageName));
  // Whole lines, enough for a damage report's head: its sentences, the count
  // and the first damaged places. Only the top margin counts: a following
  // line is drawn into the bottom one.
  constexpr int kLines = 8;
  QRect box = u.Rect(10, 15, 165, 30);
  const int margins = int(message->document()->documentMargin());
  const int lineHeight = QFontMetrics(font()).lineSpacing();
  box.setHeight(kLines * lineHeight + margins);
  const int taller = box.height() - u.Y(30);  // than the template's box
  message->setGeometry(box);
  auto* close = new QPushButton(Q(texts.closeButton), this);
  close->setGeometry(u.Rect(135, 55, 45, 15).translated(0, taller));
  close->setAutoDefault(false);
  message->setReadOnly(true);
  message->setFrameShape(QFrame::NoFrame);
  message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A long report (the damaged places) stays readable to its end.
  message->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  message->setBackgroundVisible(false);
  message->viewport()->setAutoFillBackground(false);
  auto* countdown = new QLabel(this);
  countdown->setObjectName(QString("control%1").arg(kIdcCountdown));
  countdown->setGeometry(u.Rect(10, 55, 115, 15).translated(0, taller));
  countdown->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setFixedSize(u.X(187), u.Y(75) + taller);
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

// The about box on Qt: icon, version text, notice line and OK.
#include "ui/qt/about_box.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/window_texts.h"

namespace tessaro::qt {

AboutBox::AboutBox(QWidget* parent, const QString& versionText, Language language)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("aboutBox");
  setFont(DialogFont());
  const QtWindowTexts& texts = QtWindowTextsFor(language);
  setWindowTitle(Q(texts.aboutTitle));
  const DialogUnits u(font());
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(":/tessaro-32.png").pixmap(32, 32));
  icon->setGeometry(u.X(10), u.Y(10), 32, 32);
  auto* version = new QLabel(versionText, this);
  version->setObjectName(QString("control%1").arg(kIdcVersion));
  version->setTextFormat(Qt::PlainText);
  version->setGeometry(u.Rect(40, 10, 80, 8));
  auto* notice = new QLabel(Q(texts.aboutNotice), this);
  notice->setObjectName("aboutNotice");
  notice->setGeometry(u.Rect(40, 25, 60, 8));
  auto* ok = new QPushButton("OK", this);
  ok->setGeometry(u.Rect(105, 25, 27, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(u.X(139), u.Y(45));
}

}  // namespace tessaro::qt

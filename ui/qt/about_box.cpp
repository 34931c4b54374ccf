// The about box on Qt: icon, version text, notice line and OK.
#include "ui/qt/about_box.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <string_view>

#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/qt/dialog_units.h"

namespace tessaro::qt {

// The notice line is the dialog logic's, written out here for the translation tools.
static_assert(std::string_view(kAboutNotice) == "AAC⇔WAV変換");

AboutBox::AboutBox(QWidget* parent, const QString& versionText)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("aboutBox");
  setFont(DialogFont());
  setWindowTitle(tr("Tessaroのﾊﾞｰｼﾞｮﾝ情報"));
  const DialogUnits u(font());
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(":/tessaro-32.png").pixmap(32, 32));
  icon->setGeometry(u.X(10), u.Y(10), 32, 32);
  auto* version = new QLabel(versionText, this);
  version->setObjectName(QString("control%1").arg(kIdcVersion));
  version->setTextFormat(Qt::PlainText);
  version->setGeometry(u.Rect(40, 10, 80, 8));
  auto* notice = new QLabel(tr("AAC⇔WAV変換"), this);
  notice->setObjectName("aboutNotice");
  notice->setGeometry(u.Rect(40, 25, 60, 8));
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setGeometry(u.Rect(105, 25, 27, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(u.X(139), u.Y(45));
}

}  // namespace tessaro::qt

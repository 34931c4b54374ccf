#pragma once
// The about box (template 100): icon, version text and a notice line.

#include <QDialog>

#include "engine/language.h"
#include <QString>

namespace tessaro::qt {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(QWidget* parent, const QString& versionText, Language language);
};

}  // namespace tessaro::qt

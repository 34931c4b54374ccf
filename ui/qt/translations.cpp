// The dialog program's language, shown through Qt's translators.
#include "ui/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tessaro::qt {

Translations::Translations(Language language) {
  if (language == Language::kJapanese) {
    qt_ = InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan));
    return;
  }
  // Qt's own texts are English already: only the program's need translating.
  program_ = new QTranslator(QCoreApplication::instance());
  if (program_->load(":/i18n/tessaro_en.qm")) {
    QCoreApplication::installTranslator(program_);
  } else {
    delete program_;  // built without it: the windows stay Japanese
    program_ = nullptr;
  }
}

Translations::~Translations() {
  for (QTranslator* translator : {program_, qt_}) {
    if (translator == nullptr) continue;
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

QTranslator* InstallQtTranslations(const QLocale& locale) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace tessaro::qt

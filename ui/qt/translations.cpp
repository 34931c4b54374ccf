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
  // Qt's own texts are English already; the program's come from its tables
  // (ui/qt/window_texts.cpp).
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

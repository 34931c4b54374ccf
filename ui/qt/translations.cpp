// The dialog program's language: chosen from the arguments or the
// environment, shown through Qt's translators.
#include "ui/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <optional>
#include <string>

#include "engine/environment_language.h"
#include "naming/language_choice.h"

namespace tessaro::qt {

Language LanguageForRun(int argc, const char* const* argv) {
  const std::vector<std::string> tokens(argv + (argc > 0 ? 1 : 0), argv + argc);
  return LanguageFromTokens(tokens).value_or(EnvironmentLanguage());
}

std::vector<const char*> ArgumentsBesideLanguage(int argc, const char* const* argv) {
  std::vector<const char*> kept;
  for (int i = 0; i < argc; ++i) {
    if (i == 0 || !ReadLanguageToken(argv[i])) kept.push_back(argv[i]);
  }
  return kept;
}

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

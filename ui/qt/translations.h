#pragma once
// The translators that show the dialog program in the language chosen at
// start-up (frontend/start_up.h).

#include "engine/language.h"

class QLocale;
class QTranslator;

namespace tessaro::qt {

// Shows Qt's own texts (file dialogs, the text boxes' context menus) in a
// language while it lives: English as Qt has them, Japanese through Qt's
// Japanese translations where they are installed. The program's own texts
// come from its tables (ui/qt/window_texts.h).
class Translations {
 public:
  explicit Translations(Language language);
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

 private:
  QTranslator* program_ = nullptr;
  QTranslator* qt_ = nullptr;
};

// Installs Qt's own translations (file dialogs, the text boxes' context
// menus) for locale, where they are installed. The translator belongs to the
// application; nullptr when there is none for that language.
QTranslator* InstallQtTranslations(const QLocale& locale);

}  // namespace tessaro::qt

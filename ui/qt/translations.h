#pragma once
// The translators that show the dialog program in the language chosen at
// start-up (frontend/start_up.h).

#include "engine/language.h"

class QLocale;
class QTranslator;

namespace tessaro::qt {

// Shows the program's texts and Qt's own (file dialogs, the text boxes'
// context menus) in a language while it lives: English through the
// program's built-in translation and Qt's untranslated texts, Japanese
// through the program's source texts and Qt's Japanese translations where
// they are installed. Windows take their texts when they are created.
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

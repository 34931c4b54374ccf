#pragma once
// The language the dialog program shows: its choice at start-up and the
// translators that carry it out.

#include <vector>

#include "engine/language.h"

class QLocale;
class QTranslator;

namespace tessaro::qt {

// The language of this run: the last "--lang=ja" or "--lang=en" among the
// arguments, else the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that
// is set (Japanese when none is, and for C and POSIX).
Language LanguageForRun(int argc, const char* const* argv);

// The arguments (program name first) without the "--lang=ja" and
// "--lang=en" tokens, which only choose the language: "tessaro --lang=en"
// opens the dialog like "tessaro".
std::vector<const char*> ArgumentsBesideLanguage(int argc, const char* const* argv);

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

#pragma once
// The translators that show the dialog program's texts and Qt's own.

class QLocale;
class QTranslator;

namespace tessaro::qt {

// Installs the program's built-in English translation. The translator
// belongs to the application; nullptr when it did not load.
QTranslator* InstallEnglishTranslation();

// Installs Qt's own translations (file dialogs, the text boxes' context
// menus) for locale, where they are installed. The translator belongs to the
// application; nullptr when there is none for that language.
QTranslator* InstallQtTranslations(const QLocale& locale);

}  // namespace tessaro::qt

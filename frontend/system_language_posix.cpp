// The environment's language on POSIX: the locale variables, as gettext reads them.
#include "frontend/system_language.h"

#include <cstdlib>

#include "frontend/language_choice.h"

namespace tessaro {

Language SystemLanguage() {
  return LanguageFromLocaleVariables(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                     std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace tessaro

// The environment's language on POSIX: the locale variables, as gettext reads them.
#include "engine/environment_language.h"

#include <cstdlib>

#include "naming/language_choice.h"

namespace tessaro {

Language EnvironmentLanguage() {
  return LanguageFromLocaleVariables(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                     std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace tessaro

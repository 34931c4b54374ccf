// The environment's language on Windows: the user's display language.
#include "engine/environment_language.h"

#include <windows.h>

namespace tessaro {

Language EnvironmentLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::kJapanese
                                                                    : Language::kEnglish;
}

}  // namespace tessaro

// The environment's language on Windows: the user's display language.
#include <windows.h>

#include "cli/environment_language.h"

namespace tessaro::cli {

Language EnvironmentLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::kJapanese
                                                                    : Language::kEnglish;
}

}  // namespace tessaro::cli
